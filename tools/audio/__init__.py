"""Sound-effect and tracker-music generators for Skyward.

Everything here is synthesised from scratch with fixed seeds, so running the
generators twice gives byte-identical files.
"""
