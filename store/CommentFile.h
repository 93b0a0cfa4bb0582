#pragma once

#include <string>

// The comment file of a film: the comment directory, a separator, the
// original title without its leading white space (converted from the code
// page to the system's UTF-8) and ".ctc". A '\' in the title is a separator, as on the platform the catalogue
// comes from. Returns false when the title would climb out of the directory.
bool CommentFilePath(const std::string& strDir, const std::string& strOriginalTitle, std::string& strPath);

// The list selector: 0 picks the seen directory, any other value the to-see one.
const std::string& SelectCommentDir(int nList, const std::string& strSeenDir, const std::string& strToSeeDir);

// Reads the whole comment, CR LF delivered as LF. False when it cannot be opened.
bool ReadCommentFile(const std::string& strDir, const std::string& strOriginalTitle, std::string& strText);
// Writes the comment, LF stored as CR LF. False when it cannot be written,
// and when a comment file is there that cannot be read (it is left as it is).
bool WriteCommentFile(const std::string& strDir, const std::string& strOriginalTitle, const std::string& strText);
// Removes the comment file; a file that is not there is no error.
void RemoveCommentFile(const std::string& strDir, const std::string& strOriginalTitle);
