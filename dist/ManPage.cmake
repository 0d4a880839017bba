# Run by the build as cmake -DPAGE=<file> -P ManPage.cmake after help2man: the lines of the
# EXAMPLES section are commands, so they keep their line breaks instead of being filled into
# one paragraph; then the page is gzipped as Debian ships it.
file(READ "${PAGE}" page)
string(REGEX REPLACE "(\n\\.SH EXAMPLES\n\\.IP\n)([^.][^\n]*\n([^.][^\n]*\n)*)" "\\1.nf\n\\2.fi\n"
       page "${page}")
file(WRITE "${PAGE}" "${page}")
execute_process(COMMAND gzip -9nkf "${PAGE}" COMMAND_ERROR_IS_FATAL ANY)
