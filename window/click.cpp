#include "click.h"

namespace kodvik {

void click(Control button, CodeLogic& logic, const std::function<void()>& print)
{
    switch (button) {
    case Control::cmdTecken:
        logic.tecken();
        break;
    case Control::cmdAscii:
        logic.reverseLookup();
        break;
    case Control::cmdMer:
        logic.bladdrahoger();
        break;
    case Control::cmdMindre:
        logic.bladdravanster();
        break;
    case Control::cmdPrint:
        print();
        break;
    default:
        break;
    }
}

} // namespace kodvik
