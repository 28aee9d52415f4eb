// Linked into the tests that draw with OpenGL. Mesa loads its driver with dlopen and unloads it at
// exit, after which LeakSanitizer cannot name the driver's own allocations and reports them as
// ours. Pinning the driver libraries in memory keeps those blocks reachable, so any leak that is
// still reported is a real one.
#include <dlfcn.h>
#include <initializer_list>

namespace
{
class GraphicsDriverPin
{
public:
    GraphicsDriverPin()
    {
        for (const char* library : {"libGLX_mesa.so.0", QUILLMARCH_MESA_DRIVER})
            dlopen(library, RTLD_NOW | RTLD_GLOBAL | RTLD_NODELETE);
    }
};

const GraphicsDriverPin pin;
}  // namespace
