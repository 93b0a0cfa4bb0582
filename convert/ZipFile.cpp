#include "ZipFile.h"

#include "InputRefused.h"
#include "TextTools.h"

#include <zip.h>
#include <cstdio>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

namespace {

struct ZipCloser {
    void operator()(zip_t* pZip) const { zip_discard(pZip); }
};
struct ZipSourceFreer {
    void operator()(zip_source_t* pSource) const { zip_source_free(pSource); }
};
struct ZipFileCloser {
    void operator()(zip_file_t* pFile) const { zip_fclose(pFile); }
};

std::unique_ptr<zip_t, ZipCloser> OpenForReading(const std::string& strPath)
{
    int nError = 0;
    // The consistency check holds each entry's local header to the central
    // directory, so a damaged file is refused before anything is read.
    std::unique_ptr<zip_t, ZipCloser> zip(zip_open(strPath.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &nError));
    if (!zip && nError == ZIP_ER_EXISTS) {
        // libzip finds two entries of one name as it opens the file.
        throw InputRefused(strPath, 0, "two entries of one name in the ZIP file");
    }
    if (!zip) {
        zip_error_t error;
        zip_error_init_with_code(&error, nError);
        const std::string strWhy = zip_error_strerror(&error);
        zip_error_fini(&error);
        throw InputRefused(strPath, 0, "not a folder nor a ZIP file that can be read (" + strWhy + ")");
    }
    return zip;
}

}  // namespace

std::vector<std::string> ListZipEntries(const std::string& strPath)
{
    const std::unique_ptr<zip_t, ZipCloser> zip = OpenForReading(strPath);
    std::vector<std::string> names;
    const zip_int64_t nEntries = zip_get_num_entries(zip.get(), 0);
    for (zip_int64_t i = 0; i < nEntries; ++i) {
        const char* pName = zip_get_name(zip.get(), static_cast<zip_uint64_t>(i), 0);
        if (pName != nullptr && *pName != '\0' && std::string_view(pName).back() != '/') {
            names.emplace_back(pName);
        }
    }
    return names;
}

void ReadZipEntries(const std::string& strPath, const std::map<std::string, bool>& wanted,
                    std::map<std::string, std::string>& entries, std::size_t nMaxEntryBytes, std::size_t nMaxTotalBytes)
{
    const std::unique_ptr<zip_t, ZipCloser> zip = OpenForReading(strPath);
    const zip_int64_t nEntries = zip_get_num_entries(zip.get(), 0);
    // The wanted entries and their sizes first, so that an archive asking
    // for too much is refused before anything is unpacked.
    std::vector<std::pair<zip_uint64_t, zip_stat_t>> found;
    std::map<std::string, bool> seen;
    std::size_t nTotal = 0;
    for (zip_int64_t i = 0; i < nEntries; ++i) {
        zip_stat_t stat;
        if (zip_stat_index(zip.get(), static_cast<zip_uint64_t>(i), 0, &stat) != 0 ||
            (stat.valid & ZIP_STAT_NAME) == 0 || !wanted.contains(stat.name)) {
            continue;
        }
        const std::string strName = stat.name;
        const std::string strEntry = strPath + ":" + strName;
        // Which of two entries of one name is the export's cannot be told
        // (should a libzip open such a file).
        if (!seen.emplace(strName, true).second) {
            throw InputRefused(strEntry, 0, "two entries of this name in the ZIP file");
        }
        if ((stat.valid & ZIP_STAT_SIZE) == 0 || stat.size > nMaxEntryBytes) {
            throw InputRefused(strEntry, 0,
                               "the entry is larger than " + SizeText(nMaxEntryBytes) + ", more than an export holds");
        }
        nTotal += static_cast<std::size_t>(stat.size);
        if (nTotal > nMaxTotalBytes) {
            throw InputRefused(strPath, 0,
                               "the files of the export are larger than " + SizeText(nMaxTotalBytes) +
                                   " together, more than an export holds");
        }
        found.emplace_back(static_cast<zip_uint64_t>(i), stat);
    }
    for (const auto& [nIndex, stat] : found) {
        const std::string strName = stat.name;
        const std::string strEntry = strPath + ":" + strName;
        const std::unique_ptr<zip_file_t, ZipFileCloser> file(zip_fopen_index(zip.get(), nIndex, 0));
        if (!file) {
            throw InputRefused(strEntry, 0, "the entry cannot be read from the ZIP file");
        }
        std::string bytes(static_cast<std::size_t>(stat.size), '\0');
        // libzip compares the checksum of the bytes unpacked with the entry's
        // once it reaches the entry's end, so the read goes one byte past
        // it, where a sound entry has nothing more.
        char extra = 0;
        if (zip_fread(file.get(), bytes.data(), stat.size) != static_cast<zip_int64_t>(stat.size) ||
            zip_fread(file.get(), &extra, 1) != 0) {
            const bool bChecksum = zip_error_code_zip(zip_file_get_error(file.get())) == ZIP_ER_CRC;
            throw InputRefused(strEntry, 0,
                               bChecksum ? "the entry's checksum is wrong: the ZIP file is damaged"
                                         : "the entry cannot be read from the ZIP file");
        }
        entries[strName] = std::move(bytes);
    }
}

bool WriteZipFile(const std::string& strPath, const std::map<std::string, std::string>& entries)
{
    // The archive is put together in memory and written like every export,
    // through the atomic saver: links followed, rights kept, a read-only
    // file refused, the old file left whole on any failure.
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* pBuffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_error_fini(&error);
    if (pBuffer == nullptr) {
        return false;
    }
    zip_source_keep(pBuffer);  // it outlives the archive written into it
    const std::unique_ptr<zip_source_t, ZipSourceFreer> buffer(pBuffer);
    zip_error_init(&error);
    std::unique_ptr<zip_t, ZipCloser> zip(zip_open_from_source(pBuffer, ZIP_TRUNCATE, &error));
    zip_error_fini(&error);
    if (!zip) {
        return false;
    }
    for (const auto& [strName, bytes] : entries) {
        // The source refers to the bytes without copying them; they outlive zip_close.
        zip_source_t* pSource = zip_source_buffer(zip.get(), bytes.data(), bytes.size(), 0);
        if (pSource == nullptr) {
            return false;
        }
        if (zip_file_add(zip.get(), strName.c_str(), pSource, ZIP_FL_ENC_UTF_8) < 0) {
            zip_source_free(pSource);
            return false;
        }
    }
    if (zip_close(zip.get()) != 0) {
        return false;  // the deleter discards what was not written
    }
    zip.release();  // closed: zip_close freed it

    std::string archive;
    if (zip_source_open(pBuffer) != 0) {
        return false;
    }
    zip_source_seek(pBuffer, 0, SEEK_END);
    const zip_int64_t nSize = zip_source_tell(pBuffer);
    zip_source_seek(pBuffer, 0, SEEK_SET);
    archive.resize(nSize > 0 ? static_cast<std::size_t>(nSize) : 0);
    const bool bRead = nSize >= 0 && zip_source_read(pBuffer, archive.data(), archive.size()) == nSize;
    zip_source_close(pBuffer);
    return bRead && WriteWholeFile(strPath, archive);
}
