// The status-bar command panels 8 to 15.
#include "frmMAIN.h"

void frmMAIN::stbMAIN_MouseDown(int, int) {}
void frmMAIN::stbMAIN_PanelClick(int) {}
