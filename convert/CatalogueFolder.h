#pragma once

#include "Catalogue.h"

#include <string>
#include <vector>

// A catalogue folder as the companion opens it: filme.cta, tosee.cta,
// comments/filme/ and comments/tosee/ under one folder, read into a
// Catalogue and written back through it.

// Points the catalogue at strDir and reads both archives. An archive that is
// not there is an empty list; one that is there but does not read whole (it
// cannot be opened, its header or a record is bad, or bytes follow its last
// record) is refused with InputRefused naming the file, the line and what
// was expected there, so that no write ever replaces it with the part read.
// With bRequireOne, a folder holding neither archive is refused too.
void OpenCatalogueFolder(Catalogue& catalogue, const std::string& strDir, bool bRequireOne);

// Writes both lists (atomic replace, NAME~ kept), creating the
// folder and its comment folders when they are missing; an archive that changed on disk since it was
// read is not replaced. Returns each archive not written, with why.
std::vector<std::string> SaveCatalogueFolder(Catalogue& catalogue);

// Writes a comment an import made, its folder made as needed (a title with
// a '/' or '\\' names a file in a subfolder), never over a file changed since
// this run read it. Empty when written, else the file and why not.
std::string SaveImportedComment(Catalogue& catalogue, int nList, const std::string& strTitle,
                                const std::string& strText);

// Reads a film's comment from the list's comment folder; empty when there is none.
std::string ReadComment(const std::string& strCommentDir, const std::string& strOriginalTitle);
