#include "AssetGenerator.h"

#include "ArenaAtlas.h"
#include "ArenaLayout.h"
#include "ArenaMeshBuilder.h"
#include "NavigationMeshBuilder.h"
#include "ObjWriter.h"
#include "UnitSpotPlanner.h"

AssetGenerator::AssetGenerator(const std::filesystem::path& root) : directory(root)
{
}

bool AssetGenerator::generateAll()
{
    bool written = true;
    written &= generateArena();
    return written;
}

bool AssetGenerator::writeModel(const std::string& objPath, const MeshBuilder& mesh,
                                const std::vector<ObjMaterial>& materials)
{
    const std::filesystem::path path(objPath);
    std::string library;
    if (!materials.empty())
    {
        library = path.stem().string() + ".mtl";
        const std::string libraryPath = (path.parent_path() / library).string();
        if (!directory.writeText(libraryPath, ObjWriter::mtlText(materials)))
            return false;
    }
    return directory.writeText(objPath, ObjWriter::objText(mesh, library));
}

bool AssetGenerator::generateArena()
{
    const ArenaLayout layout;
    bool written = directory.writeImage("Models/dungeon_set_01_atlas_4096.png", ArenaAtlas::paint());
    written &= writeModel("Models/Arena2/ARENA_MESH.obj", ArenaMeshBuilder::build(layout),
                          {{ArenaMeshBuilder::materialName, "../dungeon_set_01_atlas_4096.png"}});
    written &= writeModel("Models/Arena2/ARENA_NAV.obj", NavigationMeshBuilder::build(layout), {});
    written &= writeModel("Models/Arena2/ARENA_UNIT.obj", UnitSpotPlanner(layout).buildMesh(), {});
    return written;
}
