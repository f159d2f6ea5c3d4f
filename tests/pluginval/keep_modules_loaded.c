/* Preloaded into pluginval so that a plug-in module stays mapped until the process ends.
 * LeakSanitizer scans module data for pointers only while the module is loaded: after the host
 * unloads the plug-in, everything the module's statics still held would be reported as leaks
 * with unreadable stacks. With the module kept, real leaks are still reported, with symbols. */
int dlclose(void* handle)
{
    (void)handle;
    return 0;
}
