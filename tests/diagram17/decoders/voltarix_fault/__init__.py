'''
A decoder of the tests that fails on purpose: it raises an exception at the first edge of its
line, as a faulty decoder would.
'''

from .pd import Decoder
