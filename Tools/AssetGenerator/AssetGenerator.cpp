#include "AssetGenerator.h"

#include "ArenaAtlas.h"
#include "ArenaLayout.h"
#include "ArenaMeshBuilder.h"
#include "BackgroundMusic.h"
#include "BitmapFontBaker.h"
#include "CampModel.h"
#include "DragonModel.h"
#include "GameIcon.h"
#include "NavigationMeshBuilder.h"
#include "ObjWriter.h"
#include "OrcModel.h"
#include "SoundEffects.h"
#include "UnitModel.h"
#include "UnitSpotPlanner.h"
#include "VaultTexture.h"

#include <cstdio>
#include <system_error>

namespace
{
const char* const fontFace = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
// The game's four sizes, 14, 18, 22 and 36, and each of them 1.5 and 2 times as large for tall screens.
const int fontSizes[] = {14, 18, 21, 22, 27, 28, 33, 36, 44, 54, 72};
// The menu's title, in a face of its own, at 64 pixels and 1.5 and 2 times that.
const char* const titleFace = "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf";
const int titleSizes[] = {64, 96, 128};
// Its glyphs are large: a wider page keeps it from growing very tall.
constexpr int titlePageWidth = 1024;
}  // namespace

AssetGenerator::AssetGenerator(const std::filesystem::path& root) : directory(root)
{
}

bool AssetGenerator::generateAll()
{
    // One clear report when the folder itself cannot be made, rather than one per file.
    std::error_code error;
    std::filesystem::create_directories(directory.root(), error);
    if (error || !std::filesystem::is_directory(directory.root()))
    {
        std::printf("ERROR: Could not create the assets folder %s: %s\n", directory.root().string().c_str(),
                    error ? error.message().c_str() : "a file of that name is in the way");
        return false;
    }
    bool written = true;
    written &= generateArena();
    written &= generateUnit();
    written &= generateCamp();
    written &= generatePlayers();
    written &= generateFonts();
    written &= generateSounds();
    written &= generateIcons();
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
    written &= directory.writeImage("Models/vault.png", VaultTexture::paint());
    return written;
}

bool AssetGenerator::generateUnit()
{
    bool written = directory.writeImage("Models/FlowerBurst.png", UnitModel::paintParticle());
    written &= writeModel("Models/simpleCube.obj", UnitModel::buildMesh(), {});
    return written;
}

bool AssetGenerator::generateCamp()
{
    bool written = directory.writeImage("Models/camptex.png", CampModel::paintBodyTexture());
    written &= directory.writeImage("Models/campflag.png", CampModel::paintFlagTexture());
    written &=
        writeModel("Models/newCamp.obj", CampModel::buildMesh(),
                   {{CampModel::bodyMaterial, "camptex.png"}, {CampModel::flagMaterial, "campflag.png"}});
    return written;
}

bool AssetGenerator::generatePlayers()
{
    bool written = directory.writeImage("Models/dragon.png", DragonModel::paintTexture());
    written &= writeModel("Models/dragon.obj", DragonModel::buildMesh(),
                          {{DragonModel::materialName, "dragon.png"}});
    written &= directory.writeImage("Models/orc.png", OrcModel::paintTexture());
    written &= writeModel("Models/orc.obj", OrcModel::buildMesh(),
                          {{OrcModel::skinMaterial, "orc.png"}, {OrcModel::gearMaterial, "orc.png"}});
    return written;
}

bool AssetGenerator::generateFonts()
{
    bool written = true;
    for (int size : fontSizes)
        written &= writeFont(fontFace, "avenir_LT_" + std::to_string(size), size, BitmapFontBaker::pageWidth);
    for (int size : titleSizes)
        written &= writeFont(titleFace, "quillmarch_title_" + std::to_string(size), size, titlePageWidth);
    return written;
}

bool AssetGenerator::writeFont(const char* face, const std::string& name, int size, int pageWidth)
{
    BitmapFontBaker::BakedFont font;
    if (!BitmapFontBaker::bake(face, size, font, pageWidth))
        return false;
    const std::string page = name + "_0.png";
    return directory.writeImage("Fonts/" + page, *font.page) &&
           directory.writeText("Fonts/" + name + ".xml", BitmapFontBaker::xmlText(font, page));
}

bool AssetGenerator::generateSounds()
{
    bool written = directory.writeSound("Audio/Background.wav", BackgroundMusic::compose());
    for (const SoundEffects::Effect& effect : SoundEffects::all())
        written &= directory.writeSound("Audio/" + effect.file, effect.sound);
    return written;
}

bool AssetGenerator::generateIcons()
{
    bool written = true;
    for (int size : GameIcon::sizes())
        written &= directory.writeImage(GameIcon::fileName(size), GameIcon::paint(size));
    return written;
}
