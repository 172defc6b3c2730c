/**
 * @fileoverview Names Closure Compiler must leave as they are in the page's script: the page check reads the audio
 * context that SDL opens (Module.SDL2.audioContext).
 * @externs
 */

/** @type {AudioContext} */
Object.prototype.audioContext;
