#pragma once

#include <QString>

class CRowText;

// Finds text in a pane's rows, row after row from where the search stands,
// going round the end of the content to its start (or the start to the end
// going back) once. In hex rows the text is a run of hex byte pairs ("0a ff",
// "0aff") when it is nothing else, and otherwise the bytes of the text; a
// match there may reach over several rows.
class CRowSearch
{
public:
    struct MATCH
    {
        long long firstRow = -1; // -1: nothing found
        long long lastRow = -1;
        // The search went round the end (or the start) to find it.
        bool wrapped = false;
        bool Found() const { return firstRow >= 0; }
    };

    // Searches rows after from (before it when backwards); from -1 searches
    // from the first row forwards, or the last backwards.
    static MATCH Find(const CRowText& rows, const QString& needle, long long from, bool forwards,
                      bool matchCase);
    // The bytes of a hex search: the hex pairs, or the text's own UTF-8.
    static QByteArray HexNeedle(const QString& needle);

private:
    static MATCH FindInText(const CRowText& rows, const QString& needle, long long from,
                            bool forwards, bool matchCase);
    static MATCH FindInBytes(const CRowText& rows, const QString& needle, long long from,
                             bool forwards, bool matchCase);
};
