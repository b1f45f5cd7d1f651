#pragma once
// The temporary file a conversion writes beside the original ("Velmora.mdb.converting-XXXXXX")
// and clearing away the ones a conversion that was killed half-way left behind.
#include <QString>

namespace wk::store::jet {

// The QTemporaryFile template for the new file of converting `mdbPath`, in the same folder.
QString conversionFileTemplate(const QString& mdbPath);

// Removes the files beside `mdbPath` named exactly like a conversion's temporary file of it
// (its name, ".converting-", six letters or digits); any other name is kept. Best effort: a file
// that cannot be removed stays, as it does no harm.
void removeConversionLeftovers(const QString& mdbPath);

} // namespace wk::store::jet
