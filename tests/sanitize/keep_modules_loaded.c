/* Loaded first into every process of the sanitizer build's tests (LD_PRELOAD): no shared library
 * is ever unloaded. LeakSanitizer reports at exit, after Mesa has unloaded its driver; a leak
 * from an unloaded library shows as "<unknown module>", which no suppression can match, while
 * one from a library still loaded is named by it. */
int dlclose(void* handle)
{
    (void)handle;
    return 0;
}
