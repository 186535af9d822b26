#pragma once
// Where the platform keeps its files is found once and remembered; tests change $CORRA_HOME
// between cases and make it be found afresh.

// Forgets the program home, the registry store's file and the profile's path, so that the next
// use finds them afresh.
void ResetPlatformPaths();
