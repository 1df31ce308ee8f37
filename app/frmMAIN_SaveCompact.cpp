// Save and Compact of the project database.
#include "frmMAIN.h"

void frmMAIN::mnuSPEICHERN_Click() {}
void frmMAIN::mnuKOMPRIMIEREN_Click() {}
