#pragma once
// A reader for the rich text that word processors write (RTF), for the read-only rich-text views.
//
// Understood: groups, paragraphs (\par, \sect, \page) and line breaks (\line), tabs, table cells
// and rows (as tabs and paragraphs), paragraph alignment, bold, italic, underline, strike-through,
// super- and subscript, font sizes, text and highlight colours from the colour table, \plain and
// \pard resets, escaped characters (\'hh in the document's ANSI code page, \{ \} \\ \~ \_ and the
// named quotes and dashes) and Unicode characters (\uN with the \ucN fallback rule, surrogate
// pairs included). Skipped: the font table, style sheet, information group, pictures, objects,
// field instructions, headers and footers and every destination marked \*.
//
// The reader never throws and never recurses: unbalanced braces, truncated control words, huge
// numbers and binary junk produce the text that could be read.
#include <QByteArray>
#include <QString>

class QTextDocument;

namespace wk::controls {

class RtfReader {
public:
    // Replaces the contents of `document` with the text of `rtf`. Data that does not begin with
    // "{\rtf" is taken as plain text (Latin-1 or UTF-8).
    static void read(const QByteArray& rtf, QTextDocument& document);

    // Reads the file into `document`. A missing or unreadable file leaves the document empty and
    // returns false.
    static bool readFile(const QString& path, QTextDocument& document);
};

} // namespace wk::controls
