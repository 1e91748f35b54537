# Writes the header that names the build's date and time (UTC). string(TIMESTAMP) takes
# SOURCE_DATE_EPOCH when it is set. The file is only replaced when its text changes.
string(TIMESTAMP stamp "%Y-%m-%d %H:%M:%S UTC" UTC)
file(CONFIGURE OUTPUT ${OUTPUT}.new CONTENT "#define BUILD_STAMP \"${stamp}\"\n")
file(COPY_FILE ${OUTPUT}.new ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.new)
