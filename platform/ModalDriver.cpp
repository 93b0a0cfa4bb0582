#include "ModalDriver.h"

namespace {
CModalDriver* g_pDriver = nullptr;
}

void AfxSetModalDriver(CModalDriver* pDriver) { g_pDriver = pDriver; }
CModalDriver* AfxGetModalDriver() { return g_pDriver; }
