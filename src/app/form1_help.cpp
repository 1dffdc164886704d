// The two help messages and the sample folder command.

#include "app/form1.h"

namespace quorvane {

void Form1::PushButton3_Click() {}
void Form1::PushButton8_Click() {}
void Form1::PushButton9_Click() {}

}  // namespace quorvane
