#include "Scenes/GameScene.h"

#include "External/AIInfluenceMap.h"
#include "External/AIWorld.h"
#include "External/ISoundEngine.h"
#include "GameEngine/Console.h"
#include "Network/NumberText.h"
#include "Network/TelemetryMessage.h"

#include <vector>

const irr::video::SColor GameScene::shadowColor(150, 0, 0, 0);

GameScene::GameScene() = default;

GameScene::~GameScene() = default;

bool GameScene::init()
{
    if (!BaseGameScene::init())
        return false;
    startMusic();
    makeInfluenceMaps();
    Console::line("Finished");
    sendDistanceMap();
    Console::message("Initialize the game scene");
    giveWorldItsNavigationMesh();
    addCamera();
    device->getCursorControl()->setVisible(false);
    if (!loadLevel())
        return false;
    sceneManager->setShadowColor(shadowColor);
    if (!loadUnitSpots())
        return false;
    respawnTimer = 0.0f;
    return true;
}

void GameScene::startMusic()
{
    if (soundEngine)
        soundEngine->play2D(musicPath, true, false, false, ESM_AUTO_DETECT, false);
}

void GameScene::makeInfluenceMaps()
{
    irr::scene::IMesh* navigationMesh = sceneManager->getMesh(navigationMeshPath);
    const irr::AI::AIInfluenceMapInit record =
        irr::AI::AIInfluenceMap::createMapFromMesh(navigationMesh, influenceTiles, influenceTiles);
    distanceMap = std::make_unique<irr::AI::AIInfluenceMap>(record);
    distanceMap->fillWithDistances();
    influenceMap = std::make_unique<irr::AI::AIInfluenceMap>(record);
    influenceMap->setInfluenceSettings(0.9f, 1.0f, true);
}

void GameScene::sendDistanceMap()
{
    if (!telemetryEnabled())
        return;
    std::vector<float> tiles;
    tiles.reserve(static_cast<std::size_t>(distanceMap->getDataSize()));
    for (int index = 0; index < distanceMap->getDataSize(); ++index)
        tiles.push_back(distanceMap->getInfluenceAtIndex(index));
    sendTelemetry(
        TelemetryMessage::influence(NumberText::of(influenceTiles), NumberText::of(influenceTiles), tiles));
}

void GameScene::giveWorldItsNavigationMesh()
{
    aiWorld->setNavigationMesh(navigationMeshPath, sceneManager, driver);
    aiWorld->driver = driver;
}

void GameScene::addCamera()
{
    irr::scene::ICameraSceneNode* camera =
        sceneManager->addCameraSceneNode(nullptr, {1, 0, 0}, {0, 0, 0}, -1, true);
    camera->setFarValue(cameraFarValue);
}

bool GameScene::reportLevelNotLoaded()
{
    Console::error("Level could not be loaded");
    return false;
}

bool GameScene::loadLevel()
{
    irr::scene::IMesh* mesh = sceneManager->getMesh(levelMeshPath);
    if (!mesh)
        return reportLevelNotLoaded();
    levelNode = sceneManager->addMeshSceneNode(mesh, nullptr, -1);
    if (levelNode)
        dressLevelNode(mesh);
    return true;
}

void GameScene::dressLevelNode(irr::scene::IMesh* mesh)
{
    levelSelector = sceneManager->createOctreeTriangleSelector(mesh, levelNode, 128);
    levelNode->setTriangleSelector(levelSelector);
    // The node holds the selector from here on; the scene keeps a plain link to it.
    levelSelector->drop();
    levelNode->setMaterialFlag(irr::video::EMF_LIGHTING, false);
    levelNode->addShadowVolumeSceneNode(nullptr, -1, true, 1000.0f);
    levelNode->setMaterialTexture(0, driver->getTexture(levelTexturePath));
    levelNode->getMaterial(0).SpecularColor = irr::video::SColor(0);
    levelNode->setAutomaticCulling(irr::scene::EAC_FRUSTUM_BOX);
}

bool GameScene::loadUnitSpots()
{
    irr::scene::IMesh* mesh = sceneManager->getMesh(unitSpotMeshPath);
    // Units are placed on the spot node's vertices: without the node there is no match.
    unitSpotNode = mesh ? sceneManager->addMeshSceneNode(mesh, nullptr, -1) : nullptr;
    if (!unitSpotNode)
        return reportLevelNotLoaded();
    unitSpotNode->setMaterialFlag(irr::video::EMF_LIGHTING, false);
    unitSpotNode->setVisible(false);
    return true;
}
