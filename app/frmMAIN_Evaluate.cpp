// The Evaluate menu: item states, Calculate, Calculate multiple, Calculate first.
#include "frmMAIN.h"

void frmMAIN::mnuAUSWERTEN_Click() {}
void frmMAIN::mnuBERECHNEN_Click() {}
void frmMAIN::mnuMBERECHNEN_Click() {}
void frmMAIN::mnuNEUBERECHNEN_Click() {}
