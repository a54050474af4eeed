// A pause of the window's workflows, in milliseconds. The workflows sit
// above the platform layer and never call it themselves; on the simulated
// line with the virtual clock the pause only advances that clock.
#pragma once

void pause_ms(unsigned milliseconds);
