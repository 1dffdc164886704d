// Editing the results list: clear, and the two text filters.

#include "app/form1.h"

namespace quorvane {

void Form1::PushButton6_Click() {}
void Form1::PushButton19_Click() {}
void Form1::PushButton20_Click() {}

}  // namespace quorvane
