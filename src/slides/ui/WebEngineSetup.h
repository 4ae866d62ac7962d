#pragma once

// Web pages are shown by Qt WebEngine when the program was built with it, else by a plain text
// browser. WebEngine needs a little set up before the application object exists.

// Whether web pages get the full web engine.
bool haveWebEngine();

// Call before the QApplication is created: the context sharing WebEngine asks for, and, when the
// program runs as root, Chromium's sandbox switched off (it refuses to start as root otherwise)
// unless the user has given Chromium flags of their own.
void prepareWebEngine();
