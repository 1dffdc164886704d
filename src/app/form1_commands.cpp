// The commands of the push buttons whose work arrives in later changes: the list creation
// run (PushButton1), the exports (PushButton2, PushButton4, PushButton7), the editing of the
// results (PushButton6, PushButton19, PushButton20) and the help (PushButton3, PushButton8,
// PushButton9). Each moves to a source file of its own when it is written; until then a
// press does nothing.

#include "app/form1.h"

namespace quorvane {

void Form1::PushButton1_Click() {}
void Form1::PushButton2_Click() {}
void Form1::PushButton3_Click() {}
void Form1::PushButton4_Click() {}
void Form1::PushButton6_Click() {}
void Form1::PushButton7_Click() {}
void Form1::PushButton8_Click() {}
void Form1::PushButton9_Click() {}
void Form1::PushButton19_Click() {}
void Form1::PushButton20_Click() {}

}  // namespace quorvane
