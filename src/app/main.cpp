#include "app/TProgramStart.h"

int main(int argc, char *argv[]) { return TProgramStart::Run(argc, argv); }
