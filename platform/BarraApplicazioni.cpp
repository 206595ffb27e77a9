#include "platform/BarraApplicazioni.h"

void MostraBarraApplicazioni()
{
    // Linux desktops manage their panels themselves and nothing in the program hides them.
}
