// The exports of the results list: text file, clipboard and spreadsheet.

#include "app/form1.h"

namespace quorvane {

void Form1::PushButton2_Click() {}
void Form1::PushButton4_Click() {}
void Form1::PushButton7_Click() {}

}  // namespace quorvane
