#include "click.h"

namespace kodvik {

void click(Control button, CodeLogic& logic, Spoken& spoken, const std::function<void()>& print)
{
    // "ASCII" reads the character field; the others read the code field.
    switch (button) {
    case Control::cmdTecken:
        spoken.run(Control::txtAscii, [&logic] { logic.tecken(); });
        break;
    case Control::cmdAscii:
        spoken.run(Control::txtTecken, [&logic] { logic.reverseLookup(); });
        break;
    case Control::cmdMer:
        spoken.run(Control::txtAscii, [&logic] { logic.bladdrahoger(); });
        break;
    case Control::cmdMindre:
        spoken.run(Control::txtAscii, [&logic] { logic.bladdravanster(); });
        break;
    case Control::cmdPrint:
        print();
        break;
    default:
        break;
    }
}

} // namespace kodvik
