// The help menu and the info box.
#include "frmMAIN.h"

void frmMAIN::mnuFRAGEZEICHEN_Click() {}
void frmMAIN::mnuHILFE_Click() {}
void frmMAIN::mnuREADME_Click() {}
void frmMAIN::mnuHINWEISE_Click() {}
void frmMAIN::mnuINFO_Click() {}
