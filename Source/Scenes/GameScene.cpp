#include "Scenes/GameScene.h"

#include "Entities/HumanPlayer.h"
#include "Entities/Unit.h"
#include "External/AIInfluenceMap.h"
#include "External/AIWorld.h"
#include "External/ISoundEngine.h"
#include "GameEngine/Console.h"
#include "GameEngine/GameEngine.h"
#include "Network/NumberText.h"
#include "Network/TelemetryMessage.h"
#include "Scenes/ArenaVault.h"
#include "Scenes/MatchMenu.h"
#include "Scenes/ResultsPanel.h"

#include <algorithm>
#include <limits>
#include <vector>

const irr::video::SColor GameScene::shadowColor(150, 0, 0, 0);
const irr::core::vector3df GameScene::humanStart(0, 2, 0);
const std::array<irr::core::vector3df, 12> GameScene::aiStarts = {{{-30, 3, -30},
                                                                   {-30, 3, 30},
                                                                   {30, 3, -30},
                                                                   {30, 3, 30},
                                                                   {-30, 3, 0},
                                                                   {30, 3, 0},
                                                                   {0, 3, 30},
                                                                   {0, 3, -30},
                                                                   {30, 3, 15},
                                                                   {15, 3, 15},
                                                                   {15, 3, 30},
                                                                   {30, 3, -15}}};

GameScene::GameScene() = default;

GameScene::~GameScene() = default;

bool GameScene::init()
{
    if (!BaseGameScene::init())
        return false;
    addScreens();
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
    // A window-less engine shows nothing: the vault's texture would only take memory there.
    if (driver->getDriverType() != irr::video::EDT_NULL)
        vault = ArenaVault::addTo(sceneManager, assets);
    sceneManager->setShadowColor(shadowColor);
    if (!loadUnitSpots())
        return false;
    placeUnits();
    if (!createPlayers())
        return false;
    respawnTimer = 0.0f;
    buildUnownedCamp();
    return true;
}

void GameScene::addScreens()
{
    // The results first, so that the menu lies over them.
    resultsPanel = ResultsPanel::addTo(*this);
    matchMenu = std::make_unique<MatchMenu>(*this);
    device->setEventReceiver(matchMenu.get());
}

void GameScene::exit()
{
    // The GUI outlives the match: its screens leave with it.
    if (matchMenu)
        matchMenu->remove();
    if (resultsPanel)
        resultsPanel->remove();
    resultsPanel = nullptr;
    BaseGameScene::exit();
}

void GameScene::placeUnits()
{
    const irr::core::vector3df rotation(0, 0, 0);
    const irr::core::vector3df scale(unitScale, unitScale, unitScale);
    irr::scene::IMeshBuffer* spots = spotBuffer();
    for (irr::u32 vertex = firstSpotVertex; vertex < spots->getVertexCount(); ++vertex)
    {
        const irr::core::vector3df& spot = spots->getPosition(vertex);
        const std::size_t before = units.size();
        createUnit({spot.X, unitHeight, spot.Z}, rotation, scale);
        // Without the cube's model no unit can be made: one report, not one per spot.
        if (units.size() == before)
            break;
    }
}

bool GameScene::createPlayers()
{
    const irr::core::vector3df rotation(0, 0, 0);
    const irr::core::vector3df scale(playerScale, playerScale, playerScale);
    createHumanPlayer(humanStart, rotation, scale);
    // Without the dragon there is nobody to play the match: the menu is where the player can act.
    if (!humanPlayer || !humanPlayer->node)
        return false;
    const irr::u32 count = std::min<irr::u32>(aiPlayerCount, static_cast<irr::u32>(aiStarts.size()));
    for (irr::u32 k = 1; k <= count; ++k)
        createAIPlayer(aiStarts[k - 1], rotation, scale, static_cast<int>(k));
    return true;
}

void GameScene::buildUnownedCamp()
{
    const float far = std::numeric_limits<float>::max();
    createCamp({far, far, far}, {0, 0, 0}, {0, 0, 0}, nullptr);
}

void GameScene::update()
{
    BaseGameScene::update();
    respawnTimer = static_cast<float>(respawnTimer + frameDelta);
    if (static_cast<long long>(respawnTimer) % influenceInterval == 0)
        updateInfluence();
    if (respawnTimer > respawnInterval)
    {
        respawnTimer = 0.0f;
        respawnUnit();
    }
}

void GameScene::updateInfluence()
{
    if (!telemetryEnabled())
        return;
    influenceMap->propagate();
    for (const std::shared_ptr<BasePlayer>& player : players)
    {
        if (!player->node)
            continue;
        irr::core::vector3df position = player->node->getPosition();
        influenceMap->setInfluence(1.0f, &position, false);
    }
    sendTelemetry(TelemetryMessage::influence(NumberText::of(influenceMap->getWidthInTiles()),
                                              NumberText::of(influenceMap->getHeightInTiles()),
                                              tilesOf(*influenceMap)));
}

void GameScene::respawnUnit()
{
    const auto absorbed = std::find_if(units.begin(), units.end(),
                                       [](const std::shared_ptr<Unit>& unit) { return unit->absorbed; });
    if (absorbed == units.end())
        return;
    irr::core::vector3df spot;
    // Every draw may hit a taken spot: then the unit waits for the next pass.
    if (findFreeSpot(spot))
        (*absorbed)->returnToPlay(spot);
}

bool GameScene::findFreeSpot(irr::core::vector3df& spot)
{
    irr::scene::IMeshBuffer* spots = spotBuffer();
    if (spots->getVertexCount() <= firstSpotVertex)
        return false;
    const irr::u32 spotCount = spots->getVertexCount() - firstSpotVertex;
    RandomSource& random = engine->random;
    for (irr::u32 attempt = 1; attempt <= spotCount; ++attempt)
    {
        random.seed(static_cast<std::uint32_t>(random.calendarSeconds() + attempt));
        spot = spots->getPosition(firstSpotVertex + static_cast<irr::u32>(random.draw()) % spotCount);
        if (!isSpotTaken(spot))
            return true;
    }
    return false;
}

bool GameScene::isSpotTaken(const irr::core::vector3df& spot) const
{
    return std::any_of(units.begin(), units.end(),
                       [&spot](const std::shared_ptr<Unit>& unit)
                       {
                           const irr::core::vector3df position = unit->getPosition();
                           return position.X == spot.X && position.Z == spot.Z;
                       });
}

irr::scene::IMeshBuffer* GameScene::spotBuffer() const
{
    return unitSpotNode->getMesh()->getMeshBuffer(0);
}

std::vector<float> GameScene::tilesOf(const irr::AI::AIInfluenceMap& map)
{
    std::vector<float> tiles;
    tiles.reserve(static_cast<std::size_t>(map.getDataSize()));
    for (int index = 0; index < map.getDataSize(); ++index)
        tiles.push_back(map.getInfluenceAtIndex(index));
    return tiles;
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
    sendTelemetry(TelemetryMessage::influence(NumberText::of(influenceTiles), NumberText::of(influenceTiles),
                                              tilesOf(*distanceMap)));
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
    levelNode->setMaterialTexture(0, assets.texture(levelTexturePath));
    levelNode->getMaterial(0).SpecularColor = irr::video::SColor(0);
    levelNode->setAutomaticCulling(irr::scene::EAC_FRUSTUM_BOX);
}

bool GameScene::loadUnitSpots()
{
    irr::scene::IMesh* mesh = sceneManager->getMesh(unitSpotMeshPath);
    // Units are placed on the spot node's vertices: without the node there is no match.
    const bool hasSpots = mesh && mesh->getMeshBufferCount() > 0;
    unitSpotNode = hasSpots ? sceneManager->addMeshSceneNode(mesh, nullptr, -1) : nullptr;
    if (!unitSpotNode)
        return reportLevelNotLoaded();
    unitSpotNode->setMaterialFlag(irr::video::EMF_LIGHTING, false);
    unitSpotNode->setVisible(false);
    return true;
}
