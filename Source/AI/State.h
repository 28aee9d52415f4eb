#pragma once

class AIPlayer;

// What a computer player wants right now. The player runs its current state once per frame; a state
// hands over to the next through AIPlayer::changeState.
class State
{
public:
    State() = default;
    virtual ~State() = default;
    State(const State&) = delete;
    State& operator=(const State&) = delete;

    // Runs once, right after the state has become current.
    virtual void start(AIPlayer* player) = 0;
    virtual void update(AIPlayer* player) = 0;
};
