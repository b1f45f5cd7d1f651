#include "controls/RtfReader.h"

#include "controls/Twips.h"

#include <QColor>
#include <QFile>
#include <QStringDecoder>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <array>
#include <vector>

namespace wk::controls {
namespace {

// Bytes written as \'hh are taken as Windows-1252, the code page word processors write for
// Western text; it differs from Latin-1 only in 0x80..0x9F; zero marks an unused byte.
constexpr std::array<char16_t, 32> cp1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

QChar ansiChar(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F) {
        const char16_t c = cp1252High[byte - 0x80];
        return c ? QChar(c) : QChar(QChar::ReplacementCharacter);
    }
    return QChar(char16_t(byte));
}

// Destinations whose text is never shown.
bool isSkippedDestination(const QByteArray& word)
{
    static const char* const names[] = {
        "fonttbl",      "stylesheet", "info",      "pict",     "object",       "objdata",
        "fldinst",      "header",     "headerl",   "headerr",  "headerf",      "footer",
        "footerl",      "footerr",    "footerf",   "footnote", "listtable",    "listoverridetable",
        "revtbl",       "rsidtbl",    "generator", "xmlnstbl", "themedata",    "colorschememapping",
        "latentstyles", "datastore",  "filetbl",   "pgdsctbl", "nonshppict",   "shp",
        "shpinst",      "bkmkstart",  "bkmkend",   "template", "userprops",    "ftnsep",
        "ftnsepc",      "ftncn",      "aftnsep",   "aftnsepc", "aftncn",       "annotation",
        "atnid",        "atnauthor",  "private",   "mmathPr",  "wgrffmtfilter"};
    return std::any_of(std::begin(names), std::end(names), [&word](const char* n) { return word == n; });
}

struct State {
    bool skip = false;
    bool colorTable = false;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int vertical = 0;   // 1 superscript, -1 subscript
    int halfPoints = 0; // 0: the document's default size
    int color = 0;      // index into the colour table; 0 is the automatic colour
    int highlight = 0;
    int uc = 1; // fallback characters that follow a \u
    Qt::Alignment align = Qt::AlignLeft;
    int leftIndent = 0;  // twips
    int firstIndent = 0; // twips, negative for a hanging first line
};

// The character properties that decide whether two runs of text can share one format.
struct RunKey {
    bool bold, italic, underline, strike;
    int vertical, halfPoints, color, highlight;
    bool operator==(const RunKey&) const = default;
};

class Parser {
public:
    Parser(const QByteArray& data, qsizetype start, QTextDocument& document)
        : data_(data), cursor_(&document), pos_(start)
    {
        cursor_.movePosition(QTextCursor::Start);
    }

    void run()
    {
        const qsizetype n = data_.size();
        while (pos_ < n && !finished_) {
            const unsigned char c = static_cast<unsigned char>(data_[pos_]);
            if (c == '{') {
                ++pos_;
                pendingSkip_ = 0;
                stack_.push_back(state_);
            } else if (c == '}') {
                ++pos_;
                pendingSkip_ = 0;
                closeGroup();
            } else if (c == '\\') {
                ++pos_;
                controlSequence();
            } else if (c == '\r' || c == '\n') {
                ++pos_;
            } else {
                ++pos_;
                if (consumeFallback())
                    continue;
                if (state_.colorTable) {
                    if (c == ';')
                        endColor();
                } else if (c >= 0x20 || c == '\t') {
                    text(ansiChar(c));
                }
            }
        }
        flush();
        if (!paragraphPending_)
            applyBlockFormat();
    }

private:
    void closeGroup()
    {
        if (stack_.empty())
            return; // an extra closing brace: ignored
        flushIfFormatChanges(stack_.back());
        state_ = stack_.back();
        stack_.pop_back();
        if (stack_.empty())
            finished_ = true; // the document's outer group has ended
    }

    // After \uN the next `uc` characters are the fallback for readers without Unicode.
    bool consumeFallback()
    {
        if (pendingSkip_ <= 0)
            return false;
        --pendingSkip_;
        return true;
    }

    void controlSequence()
    {
        const qsizetype n = data_.size();
        if (pos_ >= n)
            return;
        const char c = data_[pos_];
        if (!isAsciiLetter(c)) {
            ++pos_;
            controlSymbol(c);
            return;
        }
        QByteArray word;
        while (pos_ < n && isAsciiLetter(data_[pos_]) && word.size() < 32)
            word.append(data_[pos_++]);
        while (pos_ < n && isAsciiLetter(data_[pos_]))
            ++pos_; // an overlong word: the rest is dropped
        bool hasParam = false;
        bool negative = false;
        qint64 value = 0;
        if (pos_ < n && data_[pos_] == '-' && pos_ + 1 < n && isDigit(data_[pos_ + 1])) {
            negative = true;
            ++pos_;
        }
        int digits = 0;
        while (pos_ < n && isDigit(data_[pos_])) {
            if (digits < 10)
                value = value * 10 + (data_[pos_] - '0');
            ++digits;
            ++pos_;
            hasParam = true;
        }
        if (pos_ < n && data_[pos_] == ' ')
            ++pos_; // the delimiting blank belongs to the control word
        value = std::clamp<qint64>(negative ? -value : value, -2147483647LL, 2147483647LL);
        controlWord(word, hasParam, static_cast<int>(value));
    }

    void controlSymbol(char c)
    {
        switch (c) {
        case '\'': {
            int value = 0;
            int digits = 0;
            while (digits < 2 && pos_ < data_.size() && isHexDigit(data_[pos_])) {
                value = value * 16 + hexValue(data_[pos_++]);
                ++digits;
            }
            if (digits == 0 || consumeFallback())
                return;
            if (value < 0x20 && value != '\t')
                return; // control characters are not shown
            text(ansiChar(static_cast<unsigned char>(value)));
            return;
        }
        case '*':
            state_.skip = true; // an optional destination this reader does not know
            return;
        case '\\':
        case '{':
        case '}':
            if (!consumeFallback())
                text(QChar(char16_t(c)));
            return;
        case '~':
            if (!consumeFallback())
                text(QChar(char16_t(0x00A0)));
            return;
        case '_':
            if (!consumeFallback())
                text(QChar(char16_t(0x2011)));
            return;
        case '\r':
        case '\n':
            paragraph();
            return;
        default:
            return; // \- (optional hyphen), \| and \: are not shown
        }
    }

    void controlWord(const QByteArray& w, bool hasParam, int param)
    {
        if (w == "bin") {
            // Binary data of `param` bytes follows; it is never text.
            if (param > 0)
                pos_ = std::min<qint64>(data_.size(), pos_ + static_cast<qint64>(param));
            return;
        }
        if (consumeFallback())
            return;
        if (isSkippedDestination(w)) {
            state_.skip = true;
            return;
        }
        if (w == "colortbl") {
            state_.colorTable = true;
            state_.skip = true;
            colors_.clear();
            currentColor_ = {};
            return;
        }
        if (state_.colorTable) {
            const int component = std::clamp(param, 0, 255);
            if (w == "red")
                currentColor_.setRed(component), currentColorSet_ = true;
            else if (w == "green")
                currentColor_.setGreen(component), currentColorSet_ = true;
            else if (w == "blue")
                currentColor_.setBlue(component), currentColorSet_ = true;
            return;
        }
        if (w == "uc") {
            if (hasParam)
                state_.uc = std::clamp(param, 0, 16);
            return;
        }
        if (state_.skip)
            return;

        const bool on = !hasParam || param != 0;
        if (w == "par" || w == "sect" || w == "page" || w == "row")
            paragraph();
        else if (w == "line")
            text(QChar(QChar::LineSeparator));
        else if (w == "tab" || w == "cell")
            text(QChar('\t'));
        else if (w == "u")
            unicode(param);
        else if (w == "b")
            state_.bold = on;
        else if (w == "i")
            state_.italic = on;
        else if (w == "ul" || w == "uld" || w == "uldb" || w == "ulw" || w == "ulwave" || w == "ulth" ||
                 w == "uldash" || w == "uldashd" || w == "uldashdd")
            state_.underline = on;
        else if (w == "ulnone")
            state_.underline = false;
        else if (w == "strike" || w == "striked")
            state_.strike = on;
        else if (w == "super")
            state_.vertical = 1;
        else if (w == "sub")
            state_.vertical = -1;
        else if (w == "nosupersub")
            state_.vertical = 0;
        else if (w == "fs")
            state_.halfPoints = hasParam ? std::clamp(param, 2, 3276) : 24;
        else if (w == "cf")
            state_.color = std::max(0, param);
        else if (w == "highlight" || w == "cb")
            state_.highlight = std::max(0, param);
        else if (w == "plain")
            resetCharacter();
        else if (w == "pard")
            state_.align = Qt::AlignLeft, state_.leftIndent = 0, state_.firstIndent = 0;
        else if (w == "li")
            state_.leftIndent = std::clamp(param, 0, 14400);
        else if (w == "fi")
            state_.firstIndent = std::clamp(param, -14400, 14400);
        else if (w == "ql")
            state_.align = Qt::AlignLeft;
        else if (w == "qc")
            state_.align = Qt::AlignHCenter;
        else if (w == "qr")
            state_.align = Qt::AlignRight;
        else if (w == "qj")
            state_.align = Qt::AlignJustify;
        else if (w == "emdash")
            text(QChar(char16_t(0x2014)));
        else if (w == "endash")
            text(QChar(char16_t(0x2013)));
        else if (w == "emspace")
            text(QChar(char16_t(0x2003)));
        else if (w == "enspace")
            text(QChar(char16_t(0x2002)));
        else if (w == "qmspace")
            text(QChar(char16_t(0x2005)));
        else if (w == "bullet")
            text(QChar(char16_t(0x2022)));
        else if (w == "lquote")
            text(QChar(char16_t(0x2018)));
        else if (w == "rquote")
            text(QChar(char16_t(0x2019)));
        else if (w == "ldblquote")
            text(QChar(char16_t(0x201C)));
        else if (w == "rdblquote")
            text(QChar(char16_t(0x201D)));
        // Every other control word (fonts, spacing, page layout, ...) changes nothing shown.
    }

    void resetCharacter()
    {
        const State keep = state_;
        state_ = State{};
        state_.skip = keep.skip;
        state_.colorTable = keep.colorTable;
        state_.uc = keep.uc;
        state_.align = keep.align;
        state_.leftIndent = keep.leftIndent;
        state_.firstIndent = keep.firstIndent;
    }

    void unicode(int value)
    {
        if (value < 0)
            value += 65536;
        pendingSkip_ = state_.uc;
        if (value <= 0 || value > 0xFFFF) {
            return;
        }
        text(QChar(char16_t(value)));
    }

    void endColor()
    {
        colors_.push_back(currentColorSet_ ? currentColor_ : QColor());
        currentColor_ = QColor(0, 0, 0);
        currentColorSet_ = false;
    }

    // --- output -------------------------------------------------------------------------

    RunKey key(const State& s) const
    {
        return {s.bold, s.italic, s.underline, s.strike, s.vertical, s.halfPoints, s.color, s.highlight};
    }

    void text(QChar ch)
    {
        if (state_.skip)
            return;
        if (paragraphPending_) {
            flush();
            startBlock();
        }
        const RunKey k = key(state_);
        if (!run_.isEmpty() && !(k == runKey_))
            flush();
        if (run_.isEmpty())
            runKey_ = k;
        run_.append(ch);
    }

    void flushIfFormatChanges(const State& next)
    {
        if (!run_.isEmpty() && !(key(next) == runKey_))
            flush();
    }

    void flush()
    {
        if (run_.isEmpty())
            return;
        QTextCharFormat f;
        if (runKey_.bold)
            f.setFontWeight(QFont::Bold);
        if (runKey_.italic)
            f.setFontItalic(true);
        if (runKey_.underline)
            f.setFontUnderline(true);
        if (runKey_.strike)
            f.setFontStrikeOut(true);
        if (runKey_.vertical > 0)
            f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
        else if (runKey_.vertical < 0)
            f.setVerticalAlignment(QTextCharFormat::AlignSubScript);
        if (runKey_.halfPoints > 0)
            f.setFontPointSize(runKey_.halfPoints / 2.0);
        if (const QColor c = colorAt(runKey_.color); c.isValid())
            f.setForeground(c);
        if (const QColor c = colorAt(runKey_.highlight); c.isValid())
            f.setBackground(c);
        cursor_.insertText(run_, f);
        run_.clear();
    }

    QColor colorAt(int index) const
    {
        if (index <= 0 || index >= static_cast<int>(colors_.size()))
            return {};
        return colors_[static_cast<size_t>(index)];
    }

    void paragraph()
    {
        if (state_.skip)
            return;
        flush();
        if (paragraphPending_)
            startBlock(); // the previous paragraph was empty
        applyBlockFormat();
        paragraphPending_ = true;
    }

    void startBlock()
    {
        QTextBlockFormat f;
        setParagraphProperties(f);
        cursor_.insertBlock(f, QTextCharFormat());
        paragraphPending_ = false;
    }

    void applyBlockFormat()
    {
        QTextBlockFormat f = cursor_.blockFormat();
        setParagraphProperties(f);
        cursor_.setBlockFormat(f);
    }

    // Indents arrive in twips; a hanging first line with a left indent puts its first tab stop
    // at the indent, as word processors lay out bullets and numbers.
    void setParagraphProperties(QTextBlockFormat& f) const
    {
        f.setAlignment(state_.align);
        const double left = twipsToPixels(state_.leftIndent);
        f.setLeftMargin(left);
        f.setTextIndent(twipsToPixels(state_.firstIndent));
        if (state_.leftIndent > 0 && state_.firstIndent < 0)
            f.setTabPositions({QTextOption::Tab(left, QTextOption::LeftTab)});
        else
            f.setTabPositions({});
    }

    static bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
    static bool isDigit(char c) { return c >= '0' && c <= '9'; }
    static bool isHexDigit(char c) { return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
    static int hexValue(char c)
    {
        if (isDigit(c))
            return c - '0';
        return (c | 0x20) - 'a' + 10;
    }

    const QByteArray& data_;
    QTextCursor cursor_;
    qsizetype pos_ = 0;
    bool finished_ = false;
    State state_;
    std::vector<State> stack_;
    int pendingSkip_ = 0;
    std::vector<QColor> colors_;
    QColor currentColor_{0, 0, 0};
    bool currentColorSet_ = false;
    QString run_;
    RunKey runKey_{};
    bool paragraphPending_ = false;
};

// Where the document's "{\rtf" begins after leading blanks, or -1 when the data is no RTF.
qsizetype rtfStart(const QByteArray& data)
{
    qsizetype i = 0;
    while (i < data.size() && (data[i] == ' ' || data[i] == '\r' || data[i] == '\n' || data[i] == '\t'))
        ++i;
    return data.mid(i, 5) == "{\\rtf" ? i : -1;
}

} // namespace

void RtfReader::read(const QByteArray& rtf, QTextDocument& document)
{
    document.clear();
    const qsizetype start = rtfStart(rtf);
    if (start < 0) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString text = utf8.decode(rtf);
        if (utf8.hasError())
            text = QString::fromLatin1(rtf);
        document.setPlainText(text);
        return;
    }
    Parser parser(rtf, start, document);
    parser.run();
}

bool RtfReader::readFile(const QString& path, QTextDocument& document)
{
    document.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    read(data, document);
    return true;
}

} // namespace wk::controls
