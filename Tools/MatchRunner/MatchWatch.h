#pragma once

#include <irrlicht.h>
#include <map>
#include <optional>
#include <vector>

class BaseGameScene;
namespace irr::AI
{
class AINavigationMesh;
}

// Watches every frame of a match for what a summary at its end cannot see: computer players that stand
// still while there are units to fetch, and any player off the walkable floor; how long every player's
// dashes, cooldowns and stuns last; and what changed over one long frame.
class MatchWatch
{
public:
    struct Record
    {
        float longestStillMs = 0.0f;
        int framesOffFloor = 0;
    };

    // The shortest and longest of the spans seen, in ms of game time; none seen while `count` is 0.
    struct Spans
    {
        double shortestMs = 0.0;
        double longestMs = 0.0;
        int count = 0;

        void add(double ms);
    };

    struct Durations
    {
        Spans dash;
        Spans cooldown;
        Spans stun;
    };

    // Over a long frame and the frame after it (in which the scores it made are counted): the game time
    // the long frame moved the match on, and the most any camp's ring, any player's score and any
    // player's position changed.
    struct Jump
    {
        double frameMs = 0.0;
        double gameMs = 0.0;
        float ringChange = 0.0f;
        int scoreChange = 0;
        float move = 0.0f;
    };

    // An orc that stays this close to where it stood counts as standing still.
    static constexpr float stillDistance = 1.0f;
    // Less than the floor's margin from every wall and obstacle.
    static constexpr float edgeAllowance = 1.4f;
    static constexpr int edgeDirections = 8;

    // After each frame of the match, with the game time the frame handed the match.
    void observe(const BaseGameScene& match, double frameMs);
    // Before a long frame of `frameMs`.
    void beginJump(const BaseGameScene& match, double frameMs);
    void reset();
    // By player id.
    const std::map<int, Record>& records() const { return byPlayer; }
    const std::map<int, Durations>& durations() const { return spansByPlayer; }
    // Once the long frame and the one after it have been watched.
    const std::optional<Jump>& jump() const { return jumped; }

private:
    static bool nearTheFloor(const irr::AI::AINavigationMesh& floor, const irr::core::vector3df& position);
    void watchOrcs(const BaseGameScene& match, double frameMs);
    void timeStates(const BaseGameScene& match, double frameMs);
    void watchJump(const BaseGameScene& match, double frameMs);

    struct Tracking
    {
        // Where the orc stood when it last got somewhere.
        irr::core::vector3df anchor;
        float stillMs = 0.0f;
        bool seen = false;
    };

    // A state seen from the end of the frame that began it to the end of the frame that ended it. One
    // that ends and begins anew within a frame (a cooldown whose next dash hits at once, a stun ended
    // and dealt again) shows in its own count of time starting over.
    struct StateClock
    {
        bool on = false;
        double ms = 0.0;
        float counted = 0.0f;

        void advance(bool nowOn, float nowCounted, double frameMs, Spans& spans);
    };

    struct StateClocks
    {
        StateClock dash;
        StateClock cooldown;
        StateClock stun;
    };

    // What a long frame starts from.
    struct Snapshot
    {
        std::vector<float> ringRadii;
        std::map<int, int> scores;
        std::map<int, irr::core::vector3df> positions;
    };

    std::map<int, Record> byPlayer;
    std::map<int, Tracking> tracking;
    std::map<int, Durations> spansByPlayer;
    std::map<int, StateClocks> clocks;
    std::optional<Snapshot> beforeJump;
    int jumpFramesToWatch = 0;
    Jump jumping;
    std::optional<Jump> jumped;
};
