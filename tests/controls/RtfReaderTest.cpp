// The rich-text reader on documents written by word processors and on broken input.
#include "controls/RtfReader.h"
#include "controls/Twips.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <gtest/gtest.h>

using wk::controls::RtfReader;

namespace {

QByteArray fixture(const char* name)
{
    QFile f(QStringLiteral(WK_SOURCE_DIR "/tests/fixtures/") + QLatin1String(name));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
    return f.readAll();
}

QStringList blocks(const QTextDocument& doc)
{
    QStringList out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        out << b.text();
    return out;
}

// The character format at the first character of `needle`.
QTextCharFormat formatOf(const QTextDocument& doc, const QString& needle)
{
    const int at = doc.toPlainText().indexOf(needle);
    EXPECT_GE(at, 0) << needle.toStdString();
    QTextCursor c(const_cast<QTextDocument*>(&doc));
    c.setPosition(at + 1); // the format of the character before the cursor
    return c.charFormat();
}

QString read(const QByteArray& rtf)
{
    QTextDocument doc;
    RtfReader::read(rtf, doc);
    return doc.toRawText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
}

} // namespace

TEST(RtfReaderWordProcessor, LibreOfficePictureAndTableAreSkippedOrFlattened)
{
    QTextDocument doc;
    RtfReader::read(fixture("libreoffice-picture-table.rtf"), doc);
    const QString all = doc.toPlainText();
    for (const char* shown : {"Heading One", "Before picture", "after picture.", "Cell A\tCell B"})
        EXPECT_TRUE(all.contains(shown)) << shown;
    EXPECT_FALSE(all.contains("89504e47")) << "picture data shown as text";
    EXPECT_FALSE(all.contains("wzDescription"));
    const QTextBlock last = doc.findBlock(all.indexOf("Centred end."));
    EXPECT_EQ(last.text(), "Centred end.");
    EXPECT_EQ(last.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(doc.findBlock(all.indexOf("Cell A")).blockFormat().alignment() & Qt::AlignHorizontal_Mask,
              Qt::AlignLeft);
}

TEST(RtfReaderWordProcessor, WordPadStyleCodePageColoursAndUnknownDestinations)
{
    QTextDocument doc;
    RtfReader::read(fixture("wordpad-style.rtf"), doc);
    const QStringList b = blocks(doc);
    ASSERT_EQ(b.size(), 4) << b.join('|').toStdString();
    EXPECT_EQ(b[0], QString::fromUtf8("Café Guide"));
    EXPECT_EQ(b[1], QString::fromUtf8("Price € 5 “quoted” and under done."));
    EXPECT_EQ(b[2], QString::fromUtf8("·\tBullet item"));
    EXPECT_EQ(b[3], QString("Visible") + QChar(QChar::LineSeparator) + "next\ttabbed");
    EXPECT_EQ(doc.begin().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_TRUE(formatOf(doc, "Guide").font().bold());
    EXPECT_DOUBLE_EQ(formatOf(doc, "Guide").fontPointSize(), 16.0);
    EXPECT_EQ(formatOf(doc, "Price").foreground().color(), QColor(0, 77, 187));
    EXPECT_EQ(formatOf(doc, " and under").foreground().style(), Qt::NoBrush);
    EXPECT_TRUE(formatOf(doc, "under done").font().underline());
    EXPECT_FALSE(formatOf(doc, " done.").font().underline());
    EXPECT_FALSE(doc.toPlainText().contains("hidden"));

    // The bullet's hanging indent: text at the left indent, the bullet half an inch before it,
    // and the tab after the bullet stopping at the indent.
    const QTextBlockFormat bullet = doc.findBlockByNumber(2).blockFormat();
    EXPECT_DOUBLE_EQ(bullet.leftMargin(), wk::controls::twipsToPixels(720));
    EXPECT_DOUBLE_EQ(bullet.textIndent(), wk::controls::twipsToPixels(-360));
    ASSERT_EQ(bullet.tabPositions().size(), 1);
    EXPECT_DOUBLE_EQ(bullet.tabPositions()[0].position, wk::controls::twipsToPixels(720));
    EXPECT_DOUBLE_EQ(doc.findBlockByNumber(1).blockFormat().leftMargin(), 0.0);
}

TEST(RtfReaderUnicode, FallbackCountsAndSurrogates)
{
    struct Case {
        const char* rtf;
        const char* expected; // UTF-8
    } cases[] = {
        {R"({\rtf1 a\u233?b})", "aéb"},
        {R"({\rtf1\uc2 a\u233xyb})", "aéb"},
        {R"({\rtf1\uc0 a\u233 b})", "aéb"},
        {R"({\rtf1 \u-10179\'3f\u-8704\'3f!})", "😀!"},
        {R"({\rtf1 {\uc3 \u8364\'80\'80}x\u8364?})", "€x€"}, // a group end stops the fallback
        {R"({\rtf1 \u26085\'3f\u26412\'3f})", "日本"},
        {R"({\rtf1 a\~b\_c\-d\emdash\endash\bullet\lquote\rquote\ldblquote\rdblquote})",
         "a\u00a0b\u2011cd\u2014\u2013\u2022\u2018\u2019\u201c\u201d"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(read(c.rtf), QString::fromUtf8(c.expected)) << c.rtf;
}

TEST(RtfReaderMalformed, ShowsWhatCouldBeReadWithoutCrashing)
{
    struct Case {
        QByteArray rtf;
        QString expected;
    } cases[] = {
        {R"({\rtf1 Hello {\b world)", "Hello world"}, // never closed
        {R"({\rtf1 A}}}B)", "A"},                     // extra closing braces
        {R"({\rtf1 A}} more {\rtf1 B})", "A"},        // text after the document
        {R"({\rtf1 end\)", "end"},                    // truncated control word
        {R"({\rtf1 x\'})", "x"},                      // escape without digits
        {R"({\rtf1 x\'4)", "x"},                      // a control character is not shown
        {R"({\rtf1 \fs99999999999999999 big \cf77 c \highlight-5 h})", "big c h"},
        {R"({\rtf1\uc999999999 \u233 abc}d)", "é"}, // fallback stops at the group end
        {R"({\rtf1 \u99999999?ok})", "ok"},         // out-of-range code point
        {R"({\rtf1 a\bin99999999999)", "a"},        // binary longer than the data
        {R"({\rtf1 a\bin3 {}}b})", "ab"},           // binary bytes are not braces
        {R"({\rtf1 {\colortbl;\red300\green-1;\blue;} t\cf1 c\cf2 d})", " tcd"},
        {R"({\rtf1 \aVeryLongControlWordThatGoesOnAndOnAndOnForeverAndEver1234567890123 z})", "z"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(read(c.rtf), c.expected) << c.rtf.constData();

    QTextDocument doc;
    RtfReader::read(R"({\rtf1 {\colortbl;\red300\green-1\blue7;} \cf1 c})", doc);
    EXPECT_EQ(formatOf(doc, "c").foreground().color(), QColor(255, 0, 7));
}

TEST(RtfReaderMalformed, DeepNestingAndRandomBytes)
{
    QByteArray deep = "{\\rtf1 ";
    deep += QByteArray(200000, '{') + "deep" + QByteArray(200000, '}');
    EXPECT_EQ(read(deep), "deep");

    QRandomGenerator rng(20240611); // fixed seed: the same bytes on every run
    for (int round = 0; round < 50; ++round) {
        QByteArray junk = "{\\rtf1 ";
        for (int i = 0; i < 4000; ++i) {
            static const char alphabet[] = "{}\\'*ubinfscpar0123456789- ;\r\nxy\x80\xff";
            junk += alphabet[rng.bounded(int(sizeof alphabet - 1))];
        }
        read(junk); // must simply return
    }
}

TEST(RtfReaderFiles, NonRtfIsPlainTextAndMissingFileIsEmpty)
{
    EXPECT_EQ(read("just words\nsecond line"), "just words\nsecond line");
    EXPECT_EQ(read(QByteArray("caf\xe9")), QString::fromUtf8("café"));     // Latin-1
    EXPECT_EQ(read(QByteArray("caf\xc3\xa9")), QString::fromUtf8("café")); // UTF-8
    EXPECT_EQ(read("  \r\n{\\rtf1 lead {\\b blank}}"), "lead blank");

    QTemporaryDir dir;
    QTextDocument doc;
    for (const QString& nothing : {dir.filePath("nothing.rtf"), dir.path()}) { // a folder is no file
        doc.setPlainText("stale");
        EXPECT_FALSE(RtfReader::readFile(nothing, doc));
        EXPECT_TRUE(doc.isEmpty());
    }
    QFile f(dir.filePath("ok.rtf"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(R"({\rtf1 from file})");
    f.close();
    EXPECT_TRUE(RtfReader::readFile(f.fileName(), doc));
    EXPECT_EQ(doc.toPlainText(), "from file");
}
