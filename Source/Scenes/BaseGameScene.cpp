#include "Scenes/BaseGameScene.h"

#include "External/AIWorld.h"
#include "External/ISoundEngine.h"
#include "GameEngine/EventReceiver.h"
#include "GameEngine/FontLoader.h"
#include "GameEngine/GameEngine.h"
#include "GameEngine/TextAnnouncer.h"

BaseGameScene::BaseGameScene() = default;

BaseGameScene::~BaseGameScene()
{
    aiWorld.reset();
}

bool BaseGameScene::init()
{
    levelSelector = nullptr;
    soundEngine = createSoundEngine();
    eventReceiver = std::make_shared<EventReceiver>();
    device->setEventReceiver(eventReceiver.get());
    fillPlayerColors();
    aiWorld = createWorld();
    if (!aiWorld || !aiWorld->init())
        return false;
    announcer = std::make_shared<TextAnnouncer>();
    announcer->init(this);
    entities.push_back(announcer);
    font = FontLoader::load(guiEnvironment, matchFontPath);
    announcementState = 0;
    startSceneClock();
    return true;
}

ISoundEngine* BaseGameScene::createSoundEngine()
{
    return createIrrKlangDevice(ESOD_AUTO_DETECT, ESEO_DEFAULT_OPTIONS, nullptr, "1.5.0");
}

std::shared_ptr<irr::AI::AIWorld> BaseGameScene::createWorld()
{
    return std::make_shared<irr::AI::AIWorld>();
}

void BaseGameScene::fillPlayerColors()
{
    playerColors = {
        {1.0f, 1.0f, 1.0f, 0.5f},    {1.0f, 0.0f, 0.0f, 1.0f},  {0.49f, 0.82f, 0.1f, 1.0f},
        {0.32f, 0.16f, 0.54f, 1.0f}, {1.0f, 0.24f, 0.0f, 1.0f}, {1.0f, 0.74f, 0.0f, 1.0f},
        {0.16f, 0.32f, 0.6f, 1.0f},  {0.1f, 0.2f, 0.1f, 1.0f},  {0.4f, 0.3f, 0.2f, 1.0f},
        {0.9f, 0.9f, 0.1f, 1.0f},    {0.3f, 0.86f, 0.4f, 1.0f}, {0.16f, 0.32f, 0.25f, 1.0f},
        {0.16f, 0.9f, 0.9f, 1.0f},
    };
}

void BaseGameScene::update()
{
    refreshSceneTime();
    const std::wstring caption = L"FPS: " + std::to_wstring(driver->getFPS());
    device->setWindowCaption(caption.c_str());
    for (const std::shared_ptr<BaseEntity>& entity : entities)
        entity->update(frameDelta, totalTime);
    updateListener();
}

void BaseGameScene::updateListener()
{
    irr::scene::ICameraSceneNode* camera = sceneManager->getActiveCamera();
    if (!soundEngine || !camera)
        return;
    // The ears face where the camera looks. The camera's rotation angles are no direction: passed as
    // one they would turn the sound field with the camera's yaw in degrees.
    const irr::core::vector3df lookDirection = camera->getTarget() - camera->getPosition();
    soundEngine->setListenerPosition(camera->getPosition(), lookDirection, {0, 0, 0}, {0, 1, 0});
}

void BaseGameScene::draw()
{
    BaseScene::draw();
    if (announcer)
        announcer->draw(frameDelta, totalTime);
}

void BaseGameScene::exit()
{
    for (const std::shared_ptr<BaseEntity>& entity : entities)
        entity->exit();
    entities.clear();
    camps.clear();
    players.clear();
    aiPlayers.clear();
    if (soundEngine)
        soundEngine->drop();
    soundEngine = nullptr;
    sceneManager->clear();
}

std::shared_ptr<HumanPlayer> BaseGameScene::getHumanPlayer() const
{
    return humanPlayer;
}

std::vector<std::shared_ptr<BasePlayer>> BaseGameScene::getPlayers() const
{
    return players;
}

std::vector<std::shared_ptr<Camp>> BaseGameScene::getCamps() const
{
    return camps;
}

std::shared_ptr<irr::AI::AIWorld> BaseGameScene::getAIWorld() const
{
    return aiWorld;
}

bool BaseGameScene::telemetryEnabled() const
{
    return engine && engine->telemetryEnabled;
}

void BaseGameScene::sendTelemetry(const std::string& message) const
{
    if (telemetryEnabled())
        engine->sendTelemetry(message);
}
