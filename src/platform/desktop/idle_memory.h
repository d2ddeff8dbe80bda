#pragma once

namespace velmor {

// Gives back what an idle program holds without needing: the heap's free
// pages, and the pages of fontconfig's cache files, which are read whole
// once when the toolkit lists the fonts and are read again from the page
// cache if a font is ever looked up anew.
void GiveBackIdleMemory();

}  // namespace velmor
