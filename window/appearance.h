#pragma once

// Makes the application look the same on every system, so the form's
// colours come out as designed: called once, after the application object
// exists and before the window is created.
void applyFormAppearance();
