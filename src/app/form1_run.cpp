// "Start Creating List": the list creation run.

#include "app/form1.h"

namespace quorvane {

void Form1::PushButton1_Click() {}

}  // namespace quorvane
