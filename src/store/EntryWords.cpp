#include "store/EntryWords.h"

namespace wk::store {

bool hasSearchWords(const QString& typed)
{
    for (const QChar c : typed)
        if (c.isLetterOrNumber())
            return true;
    return false;
}

} // namespace wk::store
