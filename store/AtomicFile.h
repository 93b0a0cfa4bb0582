#pragma once

#include "FileStamp.h"

#include <optional>
#include <string>
#include <string_view>

// Replaces a file as a whole or not at all. The new content goes to a
// temporary file beside the target, which Commit flushes to disk and renames
// over the target; until then, and whenever a step fails, the target stays
// exactly as it was and the temporary file is removed. With a backup, the
// previous file is kept as NAME~ (one level).
//
// A symbolic link at the path is followed: the file it names is replaced and
// the link stays. The new file keeps the permission bits and the group of the
// old one. Only what the user could replace is replaced: a path that holds a
// folder, a FIFO or a device, or a file without write permission, is refused.
//
// Temporary files are named ".cinetrove-XXXXXX" (short, whatever the length
// of the target's name) and locked while they are written; the first
// replacement of a run in a folder removes those of a killed save from it,
// never one that a running save still holds.
class AtomicFile {
public:
    enum class Backup { None, Keep };

    AtomicFile(std::string strPath, Backup backup);
    // Abandons the new content unless Commit succeeded.
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Creates the temporary file. False when the target may not be replaced
    // (above) or the temporary file cannot be created (missing directory, no
    // rights).
    bool Open();
    // Appends bytes; they are buffered and written in large pieces. Once a
    // write has failed every later call fails.
    bool Write(std::string_view bytes);
    // What the target must still be when Commit puts the new file in its
    // place: nothing there, or the file of that stamp. Without it any
    // target is replaced.
    void ExpectTarget(std::optional<FileStamp> expected) { m_expected = std::move(expected); }
    // Writes what is buffered, syncs, checks the target, keeps the backup and
    // renames the temporary file over the target. False when anything before
    // the rename failed or the target is not what was expected; the target
    // is then untouched.
    bool Commit();
    // After a failed Commit: the target was not the file expected.
    bool TargetChanged() const { return m_bTargetChanged; }
    // The stamp of the file that Commit put in place.
    const FileStamp& WrittenStamp() const { return m_writtenStamp; }

private:
    bool FlushBuffer();
    bool WriteAll(std::string_view bytes);
    void Abandon();
    void KeepBackup() const;

    std::string m_strPath;  // the file replaced: the path with its links followed
    std::string m_strTempPath;
    Backup m_backup;
    int m_fd = -1;  // the temporary file, locked while it is open
    bool m_bFailed = false;
    bool m_bCommitted = false;
    std::optional<std::optional<FileStamp>> m_expected;  // set: the target must be this (none: nothing)
    bool m_bTargetChanged = false;
    std::string m_buffer;
    FileStamp m_writtenStamp;
};

// The path with its symbolic links followed to the file they name, which need
// not exist yet. A path that is no link comes back as it is.
std::string FollowLinks(const std::string& strPath);

// True when strName is the name of one of AtomicFile's temporary files.
bool IsAtomicFileTemporary(std::string_view strName);

// Test seam: the nth write to disk from now on (1 = the next one) fails as on
// a full disk; 0 turns the fault off. A sync fault makes the next flush to
// disk fail. Both are reset once they have fired.
void AtomicFileInjectWriteFault(int nNthWrite);
// Test seam: forgets the folders swept of temporaries, as a new run would.
void AtomicFileForgetSweeps();
void AtomicFileInjectSyncFault(bool bFail);
