// Play, pause, speed and a slider through a recorded match.

const SPEEDS = [1, 2, 4, 8, 16, 32];

export class ReplayControls {
  constructor(root, onChange) {
    this.root = root;
    this.onChange = onChange;
    this.playButton = root.querySelector('#play');
    this.slider = root.querySelector('#timeline');
    this.label = root.querySelector('#timeline-time');
    this.speedChoice = root.querySelector('#speed');
    this.time = 0;
    this.duration = 0;
    this.speed = 1;
    this.playing = false;
    this.playButton.addEventListener('click', () => this.setPlaying(!this.playing));
    this.slider.addEventListener('input', () => this.moveTo(Number(this.slider.value)));
    this.speedChoice.addEventListener('change', () => { this.speed = Number(this.speedChoice.value); });
  }

  start(duration, speed) {
    this.root.hidden = false;
    this.duration = duration;
    this.speed = speed;
    this.slider.max = String(duration);
    const speeds = [...new Set([...SPEEDS, speed])].sort((a, b) => a - b);
    this.speedChoice.replaceChildren(...speeds.map((choice) => new Option(`${choice}×`, choice, false, choice === speed)));
    this.moveTo(0);
    this.setPlaying(true);
  }

  // Moves the replay on by `seconds` of real time.
  advance(seconds) {
    if (!this.playing) return;
    this.moveTo(this.time + seconds * this.speed);
    if (this.time >= this.duration) this.setPlaying(false);
  }

  moveTo(time) {
    this.time = Math.min(this.duration, Math.max(0, time));
    this.slider.value = String(this.time);
    this.label.textContent = `${this.time.toFixed(1)} s of ${this.duration.toFixed(1)} s`;
    this.onChange();
  }

  setPlaying(playing) {
    // Playing from the end starts over.
    if (playing && this.time >= this.duration) this.moveTo(0);
    this.playing = playing;
    this.playButton.textContent = playing ? 'Pause' : 'Play';
  }
}
