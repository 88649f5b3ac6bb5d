// Names for screen readers: each drop-down list is named by the caption painted beside it.
#pragma once

// Gives every list that a caption labels that caption, in the window's language, as the name
// screen readers speak. After every build: a build makes the lists anew. Where the system has no
// accessibility library, the lists answer as they always have.
void nameListsForScreenReaders();
