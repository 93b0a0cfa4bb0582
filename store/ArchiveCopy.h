#pragma once

#include "Film.h"

#include <string>

// Writes the list as an archive at the first free NAME.N beside the archive
// at strPath (N from 1, the file the path names when it is a link), never
// at the archive itself nor over any file already there: what a run that
// must end without a save leaves of a list not saved. The copy appears
// whole or not at all. strWritten receives its path. False when no copy
// could be written; nothing is then left beside the archive.
bool WriteNumberedArchiveCopy(const std::string& strPath, const CFilmNode* pHead, int nCount, std::string& strWritten);
