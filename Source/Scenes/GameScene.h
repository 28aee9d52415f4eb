#pragma once

#include "Scenes/BaseGameScene.h"

#include <memory>

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

    GameScene();
    ~GameScene() override;

    bool init() override;

    irr::scene::IMeshSceneNode* unitSpotNode = nullptr;
    std::unique_ptr<irr::AI::AIInfluenceMap> influenceMap;
    std::unique_ptr<irr::AI::AIInfluenceMap> distanceMap;
    float respawnTimer = 0.0f;

private:
    void startMusic();
    void makeInfluenceMaps();
    void sendDistanceMap();
    void giveWorldItsNavigationMesh();
    void addCamera();
    static bool reportLevelNotLoaded();
    bool loadLevel();
    void dressLevelNode(irr::scene::IMesh* mesh);
    bool loadUnitSpots();
};
