#pragma once
// libgsf, the compound-file reader and writer, opened when a bookmark is first saved or read
// rather than linked: with GLib's object and I/O libraries and libxml2 it brings some fifteen
// libraries that would otherwise be loaded before the program's first line runs, for a feature
// used now and then. The functions the compound files need are reached through this table.
#include "platform/system/SharedLibrary.h"

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-memory.h>
#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-memory.h>
#include <gsf/gsf-utils.h>

#include <QString>

namespace com {

struct GsfFunctions {
    decltype(&::gsf_init) gsf_init = nullptr;
    decltype(&::gsf_input_memory_new) gsf_input_memory_new = nullptr;
    decltype(&::gsf_infile_msole_new) gsf_infile_msole_new = nullptr;
    decltype(&::gsf_infile_child_by_name) gsf_infile_child_by_name = nullptr;
    decltype(&::gsf_input_size) gsf_input_size = nullptr;
    decltype(&::gsf_input_read) gsf_input_read = nullptr;
    decltype(&::gsf_output_memory_new) gsf_output_memory_new = nullptr;
    decltype(&::gsf_output_memory_get_bytes) gsf_output_memory_get_bytes = nullptr;
    decltype(&::gsf_outfile_msole_new) gsf_outfile_msole_new = nullptr;
    decltype(&::gsf_outfile_new_child) gsf_outfile_new_child = nullptr;
    decltype(&::gsf_output_write) gsf_output_write = nullptr;
    decltype(&::gsf_output_close) gsf_output_close = nullptr;
    decltype(&::gsf_output_is_closed) gsf_output_is_closed = nullptr;
    decltype(&::gsf_output_size) gsf_output_size = nullptr;
    // GLib's, found through libgsf, which needs them.
    decltype(&::g_object_unref) g_object_unref = nullptr;
    decltype(&::g_error_free) g_error_free = nullptr;
};

class GsfLibrary : public GsfFunctions {
public:
    // Opens the library by `soname`, finds its functions and starts it (gsf_init).
    explicit GsfLibrary(const char* soname);

    // The one the program uses, opened on the first call (from any thread) and kept.
    static const GsfLibrary& shared();

    // True when the library opened and has every function.
    bool usable() const { return usable_; }
    QString error() const { return library_.error(); }

private:
    platform::SharedLibrary library_;
    bool usable_ = false;
};

}  // namespace com
