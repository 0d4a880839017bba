#include "app/uLexipulse.h"

int main(int argc, char** argv) { return lexipulse::RunLexipulse(argc, argv); }
