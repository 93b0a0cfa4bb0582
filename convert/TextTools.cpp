#include "TextTools.h"

#include "AtomicFile.h"
#include "InputRefused.h"

#include <sys/stat.h>
#include <array>
#include <fstream>

std::string TrimBlanks(std::string_view text)
{
    const std::size_t nFirst = text.find_first_not_of(" \t");
    if (nFirst == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(nFirst, text.find_last_not_of(" \t") - nFirst + 1));
}

std::string TrimLineBreaks(std::string_view text)
{
    const std::size_t nFirst = text.find_first_not_of("\r\n");
    if (nFirst == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(nFirst, text.find_last_not_of("\r\n") - nFirst + 1));
}

std::string WithCrLfBreaks(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            out += "\r\n";
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string SizeText(std::size_t nBytes)
{
    constexpr std::size_t kMiB = 1024u * 1024u;
    return nBytes > 0 && nBytes % kMiB == 0 ? std::to_string(nBytes / kMiB) + " MiB"
                                            : std::to_string(nBytes) + " bytes";
}

std::string GroupedNumber(long long nValue)
{
    const std::string strDigits = std::to_string(nValue);
    const std::size_t nSign = nValue < 0 ? 1 : 0;
    std::string out(strDigits, 0, nSign);
    for (std::size_t i = nSign; i < strDigits.size(); ++i) {
        if (i > nSign && (strDigits.size() - i) % 3 == 0) out += '.';
        out += strDigits[i];
    }
    return out;
}

std::string ReadWholeFile(const std::string& strPath)
{
    // Regular files only: a FIFO would hang the read, a folder has no bytes.
    struct stat info {};
    if (::stat(strPath.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        throw InputRefused(strPath, 0, "not a file that can be read");
    }
    std::ifstream in(strPath, std::ios::binary);
    std::string bytes;
    std::array<char, 65536> chunk{};
    while (in.read(chunk.data(), chunk.size()) || in.gcount() > 0) {
        bytes.append(chunk.data(), static_cast<std::size_t>(in.gcount()));
    }
    if (!in.is_open() || in.bad()) {
        throw InputRefused(strPath, 0, "the file cannot be read");
    }
    return bytes;
}

bool WriteWholeFile(const std::string& strPath, std::string_view bytes)
{
    AtomicFile file(strPath, AtomicFile::Backup::None);
    return file.Open() && file.Write(bytes) && file.Commit();
}
