// velmar-stm32-boot: reads, writes, erases and protects an STM32 through its serial boot loader.
#include "stm32/BootProgram.h"

int main(int argc, char* argv[]) { return bl_main(argc, argv); }
