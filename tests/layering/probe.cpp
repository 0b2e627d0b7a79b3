// Compiled once per row of the layering test, each time as part of one
// folder's library and with one header from another folder.
#include TORIDASU_PROBE_HEADER
