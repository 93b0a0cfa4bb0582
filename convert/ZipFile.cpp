#include "ZipFile.h"

#include "InputRefused.h"
#include "TextTools.h"

#include <zip.h>
#include <cstdio>
#include <memory>
#include <string_view>

namespace {

// An export's CSV files are far smaller; anything larger is refused rather
// than unpacked into memory.
constexpr zip_uint64_t kMaxEntrySize = 256u * 1024u * 1024u;

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
    std::unique_ptr<zip_t, ZipCloser> zip(zip_open(strPath.c_str(), ZIP_RDONLY, &nError));
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
                    std::map<std::string, std::string>& entries)
{
    const std::unique_ptr<zip_t, ZipCloser> zip = OpenForReading(strPath);
    const zip_int64_t nEntries = zip_get_num_entries(zip.get(), 0);
    for (zip_int64_t i = 0; i < nEntries; ++i) {
        zip_stat_t stat;
        if (zip_stat_index(zip.get(), static_cast<zip_uint64_t>(i), 0, &stat) != 0 ||
            (stat.valid & ZIP_STAT_NAME) == 0 || !wanted.contains(stat.name)) {
            continue;
        }
        const std::string strName = stat.name;
        if ((stat.valid & ZIP_STAT_SIZE) == 0 || stat.size > kMaxEntrySize) {
            throw InputRefused(strPath + ":" + strName, 0, "the entry is too large for an export");
        }
        const std::unique_ptr<zip_file_t, ZipFileCloser> file(
            zip_fopen_index(zip.get(), static_cast<zip_uint64_t>(i), 0));
        std::string bytes(static_cast<std::size_t>(stat.size), '\0');
        if (!file || zip_fread(file.get(), bytes.data(), stat.size) != static_cast<zip_int64_t>(stat.size)) {
            throw InputRefused(strPath + ":" + strName, 0, "the entry cannot be read from the ZIP file");
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
