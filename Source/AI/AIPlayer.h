#pragma once

#include "AI/OrcParameters.h"
#include "AI/State.h"
#include "Entities/BasePlayer.h"
#include "External/AIUnit.h"
#include "External/IAIUnitUpdateReceiver.h"

#include <irrlicht.h>
#include <memory>
#include <vector>

// A computer opponent: an orc that walks where its navigation agent leads and lets a small state machine
// decide what it wants each frame.
class AIPlayer : public BasePlayer, public irr::AI::IAIUnitUpdateReceiver
{
public:
    static constexpr const char* meshPath = "../Assets/Models/orc.obj";
    static constexpr const char* texturePath = "../Assets/Models/orc.png";
    static constexpr const char* skillShotSound = "../Assets/Audio/SkillShot.wav";
    // Orcs walk with their origin at this height, whatever the height of where they go.
    static constexpr float waypointHeight = 3.0f;
    // After a camp that could not be founded (its model missing), the ms before the orc tries again, and
    // the failures in a row after which it founds no more camps this match: a missing file stays missing,
    // so a broken install costs a few lines a match, not a line every few seconds.
    static constexpr float campRetryDelay = 5000.0f;
    static constexpr int foundingFailuresBeforeGivingUp = 2;

    AIPlayer();
    ~AIPlayer() override;

    // False, with an error line, when the orc's model cannot be loaded.
    bool init(BaseGameScene* scene, const irr::core::vector3df& position,
              const irr::core::vector3df& rotation, const irr::core::vector3df& scale, int id);
    // Collision against `node` (the dragon), whose shape is `mesh`.
    void setupCollision(irr::scene::ISceneNode* node, irr::scene::IMesh* mesh);
    // Plays by `chosen` from now on; before the match's first frame, as if the orc had always.
    void setParameters(const OrcParameters& chosen);
    void update(double frameDelta, float totalTime) override;
    virtual void setWaypoint(const irr::core::vector3df& point);
    void onUnitUpdate(irr::AI::AIPoint* point, bool reachedEnd) override;

    // Replaces the current state and starts the next. Safe from inside the current state's start or
    // update: the replaced state lives on until this player's update ends.
    void changeState(std::unique_ptr<State> next);
    // Asks the agent for a path to `target` and sets off along it; false, standing still, when there is none.
    bool walkTo(const irr::core::vector3df& target);

    // One step of this frame's length toward the waypoint. Corners of the path are walked in order;
    // `arrive` runs when the last one lies within this step, before the step is taken.
    template <class Arrival>
    void stepTowardWaypoint(Arrival&& arrive)
    {
        const irr::core::vector3df position = node->getPosition();
        if (speed >= position.getDistanceFrom(waypoint))
        {
            if (nextCorner < path.size())
            {
                takeCorner();
                return;
            }
            arrive();
            // The step still passes the end of the walk, but never off the floor (a dash goes far).
            stepFrom(position, overshootsTheFloor(position));
            return;
        }
        stepFrom(position, false);
    }

    State* getState() const { return state.get(); }
    // Whether the orc may try to found a camp now; the wait after a founding that failed, and the count of
    // failures in a row that a founded camp clears.
    bool mayFoundCamp() const
    {
        return campRetryWait <= 0.0f && failedFoundings < foundingFailuresBeforeGivingUp;
    }
    void waitBeforeFoundingAgain()
    {
        campRetryWait = campRetryDelay;
        ++failedFoundings;
    }
    void foundedCamp() { failedFoundings = 0; }

    OrcParameters parameters;
    irr::core::vector3df waypoint;
    bool moving = false;
    std::unique_ptr<irr::AI::AIUnit> agent;
    irr::scene::ISceneNodeAnimatorCollisionResponse* collisionAnimator = nullptr;

private:
    void dressModel();
    // At a corner short of the path's end: stand on it and head for the next one.
    void takeCorner();
    // One step from `position` toward the waypoint, or onto it when `stopAtWaypoint`.
    void stepFrom(const irr::core::vector3df& position, bool stopAtWaypoint);
    bool overshootsTheFloor(const irr::core::vector3df& position) const;
    irr::core::vector3df stepDirection(const irr::core::vector3df& position) const;
    void face(const irr::core::vector3df& position);
    // Whether the last step got where it was meant to; a walk blocked for long goes around the obstacle.
    void checkLastStep();
    void stepAside(const irr::core::vector3df& position);
    void slipThrough();

    std::unique_ptr<State> state;
    std::vector<std::unique_ptr<State>> replacedStates;
    // The corners of the path being walked, and the one after the current waypoint.
    std::vector<irr::core::vector3df> path;
    std::size_t nextCorner = 0;
    // Where the last step started, its way, how long it was meant to be and the ms of its frame, while
    // one is pending.
    bool stepPending = false;
    irr::core::vector3df lastStepStart;
    irr::core::vector3df lastStepDirection;
    float lastStepLength = 0.0f;
    float lastStepMs = 0.0f;
    float blockedTime = 0.0f;
    bool steppedAside = false;
    // The ms of this update's frame, and the ms left before the orc may try to found a camp again.
    float frameMs = 0.0f;
    float campRetryWait = 0.0f;
    int failedFoundings = 0;
};
