#pragma once

// The velmora-table program: its command line, with the window when started without arguments
// and the PDF writer for a .pdf output. Returns the exit status.
int RunTableProgram(int& argc, char** argv);
