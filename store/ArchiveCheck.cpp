#include "ArchiveCheck.h"

#include "ArchiveParser.h"
#include "TextFile.h"

ArchiveFault CheckArchive(const std::string& strPath)
{
    ArchiveFault result;
    TextFileReader in(strPath);
    if (!in.IsOpen()) {
        return result;
    }
    result.bOpened = true;

    ArchiveParser parser;
    for (;;) {
        switch (parser.Next(in)) {
        case ArchiveParser::Step::Header:
        case ArchiveParser::Step::More:
            break;
        case ArchiveParser::Step::Record:
            ++result.nFilms;
            break;
        case ArchiveParser::Step::End:
            result.bWhole = true;
            return result;
        case ArchiveParser::Step::Trailing:
        case ArchiveParser::Step::Fault:
            result.nLine = parser.LastFault().nLine;
            result.strExpected = parser.LastFault().strExpected;
            result.strFound = parser.LastFault().strFound;
            return result;
        case ArchiveParser::Step::ReadError:
            result.nLine = parser.Line();
            result.strExpected = "a readable file";
            return result;
        }
    }
}
