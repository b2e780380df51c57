"""Asset generator for Norppala: every picture, tune and voice line is made here in code."""
