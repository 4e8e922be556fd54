// Opening libgsf on first use and filling the table of its functions.
#include "platform/com/GsfLibrary.h"

namespace com {

GsfLibrary::GsfLibrary(const char* soname) : library_(soname)
{
    platform::SharedLibrary& l = library_;
    GsfFunctions& f = *this;
    usable_ = l.isOpen() && l.resolve(f.gsf_init, "gsf_init") &&
              l.resolve(f.gsf_input_memory_new, "gsf_input_memory_new") &&
              l.resolve(f.gsf_infile_msole_new, "gsf_infile_msole_new") &&
              l.resolve(f.gsf_infile_child_by_name, "gsf_infile_child_by_name") &&
              l.resolve(f.gsf_input_size, "gsf_input_size") && l.resolve(f.gsf_input_read, "gsf_input_read") &&
              l.resolve(f.gsf_output_memory_new, "gsf_output_memory_new") &&
              l.resolve(f.gsf_output_memory_get_bytes, "gsf_output_memory_get_bytes") &&
              l.resolve(f.gsf_outfile_msole_new, "gsf_outfile_msole_new") &&
              l.resolve(f.gsf_outfile_new_child, "gsf_outfile_new_child") &&
              l.resolve(f.gsf_output_write, "gsf_output_write") && l.resolve(f.gsf_output_close, "gsf_output_close") &&
              l.resolve(f.gsf_output_is_closed, "gsf_output_is_closed") &&
              l.resolve(f.gsf_output_size, "gsf_output_size") && l.resolve(f.g_object_unref, "g_object_unref") &&
              l.resolve(f.g_error_free, "g_error_free");
    if (usable_)
        gsf_init();
    else
        static_cast<GsfFunctions&>(*this) = GsfFunctions();  // nothing half-found is ever called
}

const GsfLibrary& GsfLibrary::shared()
{
    static const GsfLibrary library(VISTREL_GSF_SONAME);
    return library;
}

}  // namespace com
