#pragma once

#include <DetourNavMesh.h>
#include <DetourNavMeshQuery.h>
#include <memory>

namespace irr::AI
{
// Detour's objects come from its own allocator and go back through its own free functions.
struct DetourNavMeshDeleter
{
    void operator()(dtNavMesh* navMesh) const { dtFreeNavMesh(navMesh); }
};
struct DetourQueryDeleter
{
    void operator()(dtNavMeshQuery* query) const { dtFreeNavMeshQuery(query); }
};
using DetourNavMeshPointer = std::unique_ptr<dtNavMesh, DetourNavMeshDeleter>;
using DetourQueryPointer = std::unique_ptr<dtNavMeshQuery, DetourQueryDeleter>;
}  // namespace irr::AI
