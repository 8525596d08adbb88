/* A library with thread-local storage of its own: loaded with dlopen, its block is allocated with
 * malloc on a thread's first access, as Mesa's driver and LLVM's are. */
__thread char dynamicTlsBlock[24];

char* DynamicTlsBlock(void) { return dynamicTlsBlock; }
