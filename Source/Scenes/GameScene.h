#pragma once

#include "Scenes/BaseGameScene.h"

#include <array>
#include <memory>
#include <vector>

class ArenaVault;
class MatchMenu;
class ResultsPanel;
namespace irr::AI
{
class AIInfluenceMap;
}

// The one arena of the game: its level, navigation mesh, unit spots and influence maps.
class GameScene : public BaseGameScene
{
public:
    static constexpr const char* levelMeshPath = "../Assets/Models/Arena2/ARENA_MESH.obj";
    static constexpr const char* levelTexturePath = "../Assets/Models/dungeon_set_01_atlas_4096.png";
    static constexpr const char* navigationMeshPath = "../Assets/Models/Arena2/ARENA_NAV.obj";
    static constexpr const char* unitSpotMeshPath = "../Assets/Models/Arena2/ARENA_UNIT.obj";
    static constexpr int influenceTiles = 21;
    static constexpr float cameraFarValue = 400.0f;
    static const irr::video::SColor shadowColor;
    // Free units stand on the spot mesh's vertices from this one on; the first two are not spots.
    static constexpr irr::u32 firstSpotVertex = 2;
    static constexpr float unitHeight = 1.0f;
    static constexpr float unitScale = 0.14f;
    static constexpr float playerScale = 0.1f;
    static const irr::core::vector3df humanStart;
    // Where the computer players start, in order.
    static const std::array<irr::core::vector3df, 12> aiStarts;
    // One absorbed unit returns per this much frame time.
    static constexpr float respawnInterval = 1000.0f;
    // The influence map is brought up to date on frames whose respawn timer is a multiple of this.
    static constexpr long long influenceInterval = 100;

    GameScene();
    ~GameScene() override;

    bool init() override;
    void update() override;
    void exit() override;

    // Fades and spreads the influence map, stamps every player's position and sends the map.
    void updateInfluence();
    // Brings the first absorbed unit back onto a free spot.
    void respawnUnit();

    irr::scene::IMeshSceneNode* unitSpotNode = nullptr;
    std::unique_ptr<irr::AI::AIInfluenceMap> influenceMap;
    std::unique_ptr<irr::AI::AIInfluenceMap> distanceMap;
    float respawnTimer = 0.0f;
    // The screens over the match: Esc's menu, which takes the match's input first, and the results.
    std::unique_ptr<MatchMenu> matchMenu;
    ResultsPanel* resultsPanel = nullptr;
    // Null without its texture.
    ArenaVault* vault = nullptr;

private:
    void addScreens();
    void startMusic();
    void makeInfluenceMaps();
    void sendDistanceMap();
    void giveWorldItsNavigationMesh();
    void addCamera();
    static bool reportLevelNotLoaded();
    bool loadLevel();
    void dressLevelNode(irr::scene::IMesh* mesh);
    bool loadUnitSpots();
    void placeUnits();
    bool createPlayers();
    // The setup's camp without an owner, far outside the arena: it only runs a camp's start once.
    void buildUnownedCamp();
    // A free spot for a returning unit, drawn from the calendar clock; false if every draw hit a taken one.
    bool findFreeSpot(irr::core::vector3df& spot);
    bool isSpotTaken(const irr::core::vector3df& spot) const;
    static std::vector<float> tilesOf(const irr::AI::AIInfluenceMap& map);
    irr::scene::IMeshBuffer* spotBuffer() const;
};
