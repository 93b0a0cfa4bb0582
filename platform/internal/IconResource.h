#pragma once

// Private to the framework: icons of the resources.

#include <QIcon>

// What an HICON points to.
struct IconHandle {
    QIcon icon;
};

// The icon resource nID of the program's resources, all its sizes; a null
// icon when there is none.
QIcon LoadIconResource(int nID);
