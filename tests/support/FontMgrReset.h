#pragma once
// Puts the font manager's process-wide state back to its start: every slot from the default
// table, the default slot, resolution and change time reset, nothing loaded (so that the next
// CFontMgrInit loads the slots from the test's own profile).

void ResetFontManager();
