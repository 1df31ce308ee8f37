// The record commands of the File menu: New, Open, Select, Export-Import, Export-Inf.system, Delete.
// They come with the input form and the data-exchange dialogs.
#include "frmMAIN.h"

void frmMAIN::mnuNEU_Click() {}
void frmMAIN::mnuOEFFNEN_Click() {}
void frmMAIN::mnuAUSWAHL_Click() {}
void frmMAIN::mnuLOESCHEN_Click() {}
