// Fontconfig keeps what it parsed from its configuration for the life of the
// process and never frees it; every test that lays out text reaches it. Only
// that library's leaks are waived, not ours.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}
