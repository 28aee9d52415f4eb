#pragma once

#include "GameEngine/BaseScene.h"

#include <irrlicht.h>
#include <memory>
#include <string>
#include <vector>

class AIPlayer;
class BaseEntity;
class BasePlayer;
class Camp;
class HumanPlayer;
class ISoundEngine;
class TextAnnouncer;
class Unit;
namespace irr::AI
{
class AIWorld;
}

// A match: owns everything in the arena through its registries, and the sound engine, the
// navigation world and the announcer that the entities use.
class BaseGameScene : public BaseScene
{
public:
    static constexpr const char* matchFontPath = "../Assets/Fonts/avenir_LT_18.xml";
    static constexpr const char* musicPath = "../Assets/Audio/Background.wav";

    BaseGameScene();
    ~BaseGameScene() override;

    bool init() override;
    void update() override;
    void draw() override;
    void exit() override;

    std::shared_ptr<HumanPlayer> getHumanPlayer() const;
    std::vector<std::shared_ptr<BasePlayer>> getPlayers() const;
    std::vector<std::shared_ptr<Camp>> getCamps() const;
    std::shared_ptr<irr::AI::AIWorld> getAIWorld() const;

    // Hands a telemetry message to the connection, if telemetry is on.
    void sendTelemetry(const std::string& message) const;
    bool telemetryEnabled() const;

    irr::scene::ITriangleSelector* levelSelector = nullptr;
    std::vector<irr::video::SColorf> playerColors;
    std::vector<std::shared_ptr<Unit>> units;
    irr::scene::IMeshSceneNode* levelNode = nullptr;
    std::shared_ptr<TextAnnouncer> announcer;
    std::shared_ptr<HumanPlayer> humanPlayer;
    std::vector<std::shared_ptr<BaseEntity>> entities;
    std::vector<std::shared_ptr<BasePlayer>> players;
    std::vector<std::shared_ptr<AIPlayer>> aiPlayers;
    std::vector<std::shared_ptr<Camp>> camps;
    std::shared_ptr<irr::AI::AIWorld> aiWorld;
    irr::u32 aiPlayerCount = 0;
    irr::gui::IGUIFont* font = nullptr;
    irr::s32 announcementState = 0;
    bool matchOver = false;
    ISoundEngine* soundEngine = nullptr;

protected:
    // Where the match gets its sound engine and navigation world; tests put stand-ins here.
    virtual ISoundEngine* createSoundEngine();
    virtual std::shared_ptr<irr::AI::AIWorld> createWorld();

private:
    void fillPlayerColors();
    void updateListener();
};
